// The tag a command's sender carries: a menu item's and a control's are read; any other sender has none.
#include <gtest/gtest.h>

#include "appkit/sender_tag.h"
#include "platform/ui/button.h"
#include "platform/ui/menu_item.h"

TEST(SenderTag, MenuItemsAndControlsCarryTheirTagsAndOtherSendersNone)
{
    auto item = core::make<ui::MenuItem>("JPEG", "exportAsImage:", "");
    item->setTag(1);
    EXPECT_EQ(kestrane::senderTag(item), 1);
    auto button = core::make<ui::Button>(gfx::Rect{});
    button->setTag(2);
    EXPECT_EQ(kestrane::senderTag(button), 2);
    EXPECT_EQ(kestrane::senderTag(core::make<ui::View>(gfx::Rect{})), std::nullopt);
    EXPECT_EQ(kestrane::senderTag(nullptr), std::nullopt);
}
