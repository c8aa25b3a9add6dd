// Key codes by label and synthetic mouse presses.
#include <gtest/gtest.h>

#include "appkit/event_extensions.h"
#include "appkit/event_key_code.h"

namespace {

TEST(EventKeyCode, CarriesTheFrenchLettersAndTheReturnKey)
{
    EXPECT_EQ(kestrane::EventKeyCode::letterQ, 0);
    EXPECT_EQ(kestrane::EventKeyCode::letterA, 12);
    EXPECT_EQ(kestrane::EventKeyCode::letterM, 41);
    EXPECT_EQ(kestrane::EventKeyCode::enter, 36);
    EXPECT_EQ(kestrane::EventKeyCode::deleteKey, 51);
}

TEST(EventExtensions, MakesPressesAndLocatesThemInViews)
{
    auto window = ui::Window::create({0, 0, 100, 100}, ui::StyleMask::titled);
    auto view = core::make<ui::View>(gfx::Rect{5, 5, 50, 50});
    window->contentView()->addSubview(view);
    auto event = kestrane::leftMouseDown({10, 20}, window);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->type, ui::EventType::leftMouseDown);
    EXPECT_EQ(event->clickCount, 0);
    EXPECT_EQ(event->timestamp, 0);
    EXPECT_EQ(event->windowNumber, window->windowNumber());
    EXPECT_EQ(kestrane::locationIn(*event, *view), (gfx::Point{5, 15}));
    EXPECT_EQ(kestrane::rightMouseDown({1, 1}, window)->type, ui::EventType::rightMouseDown);
    EXPECT_FALSE(kestrane::leftMouseDown({1, 1}, nullptr));
}

}  // namespace
