// Gradient and coloured views draw what they hold; the centred clip view centres small documents.
#include <gtest/gtest.h>

#include "appkit/simple_views.h"
#include "platform/ui/window.h"

namespace {

TEST(CenteredClipView, CentresANarrowDocument)
{
    auto clip = core::make<kestrane::CenteredClipView>(gfx::Rect{0, 0, 400, 300});
    clip->setDocumentView(core::make<ui::View>(gfx::Rect{0, 0, 200, 500}));
    EXPECT_EQ(clip->constrainBoundsRect({0, 0, 400, 300}), (gfx::Rect{-100, 0, 400, 300}));
    clip->documentView()->setFrameSize({400, 500});
    EXPECT_EQ(clip->constrainBoundsRect({0, 0, 400, 300}).origin.x, 0);
}

TEST(ColoredView, ReplacesThePixelsWithItsColour)
{
    auto window = ui::Window::create({0, 0, 20, 20}, ui::StyleMask::titled);
    auto colored = core::make<kestrane::ColoredView>(gfx::Rect{0, 0, 20, 20});
    window->contentView()->addSubview(colored);
    colored->setBackgroundColor(gfx::Color::rgb(1, 0, 0, 0.5));
    auto image = window->snapshot();
    ASSERT_TRUE(image);
    EXPECT_NEAR(gfx::alphaOf(image->pixel(10, 10)), 128, 1);
}

TEST(GradientView, DrawsOnlyWithBothColours)
{
    auto window = ui::Window::create({0, 0, 20, 40}, ui::StyleMask::titled);
    auto background = core::make<kestrane::ColoredView>(gfx::Rect{0, 0, 20, 40});
    background->setBackgroundColor(gfx::Color::white());
    window->contentView()->addSubview(background);
    auto gradient = core::make<kestrane::GradientView>(gfx::Rect{0, 0, 20, 40});
    window->contentView()->addSubview(gradient);
    gradient->setStartingColor(gfx::Color::black());
    gradient->setAngle(90);
    EXPECT_EQ(window->snapshot()->pixel(10, 39), 0xffffffffu);  // one colour draws nothing
    gradient->setEndingColor(gfx::Color::black());
    gradient->setEndingColor(gfx::Color::red());
    auto image = window->snapshot();
    // At 90 degrees the gradient runs from the bottom (black) up to the top (red).
    EXPECT_LT(gfx::redOf(image->pixel(10, 39)), 40);
    EXPECT_GT(gfx::redOf(image->pixel(10, 0)), 200);
}

}  // namespace
