// Menus shown at a place: the menu stays while it shows and its chosen item acts, though nobody else holds it,
// and goes once it has closed.
#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include "platform/core/main_loop.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/responder.h"

namespace {

TEST(Menu, AMenuShownStaysUntilItClosesAndItsItemHasActed)
{
    auto target = core::make<ui::Responder>();
    int chosen = 0;
    target->registerAction("choose:", [&](const std::shared_ptr<core::Object>&) { ++chosen; });
    std::weak_ptr<ui::Menu> weak;
    {
        auto menu = core::make<ui::Menu>();
        menu->addItem("Choose", "choose:", "")->setTarget(target);
        menu->popUpAtGlobal(200, 200);
        weak = menu;
    }
    core::MainLoop::processEvents(0.02);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(popup);
    EXPECT_FALSE(weak.expired());
    // As a click on the item does: the menu closes, then the item acts.
    QAction* action = popup->actions().front();
    popup->hide();
    action->trigger();
    EXPECT_EQ(chosen, 1);
    core::MainLoop::processEvents(0.02);
    EXPECT_TRUE(weak.expired());
}

}  // namespace
