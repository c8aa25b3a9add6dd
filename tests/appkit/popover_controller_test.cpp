// The popover controller makes its popover on first use, after its view, and toggles it at an edge.
#include <gtest/gtest.h>

#include "appkit/popover_controller.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace {

class Panel : public kestrane::PopoverController {
public:
    using PopoverController::PopoverController;
    bool viewWasLoadedInFactory = false;
    int willClose = 0;
    void loadView() override { setView(core::make<ui::View>(gfx::Rect{0, 0, 80, 40})); }
    std::shared_ptr<ui::Popover> createPopover(const std::shared_ptr<ui::View>& view) override
    {
        viewWasLoadedInFactory = isViewLoaded();
        return PopoverController::createPopover(view);
    }
    void popoverWillClose(ui::Popover&) override { ++willClose; }
};

TEST(PopoverController, MakesItsPopoverAfterItsView)
{
    auto panel = core::make<Panel>();
    EXPECT_FALSE(panel->popoverIsShown());
    EXPECT_TRUE(panel->viewWasLoadedInFactory);
    auto popover = panel->popover();
    EXPECT_EQ(popover, panel->popover());
    EXPECT_EQ(popover->behavior(), ui::PopoverBehavior::semitransient);
    EXPECT_EQ(popover->delegate(), panel);
    ASSERT_TRUE(popover->contentViewController());
    EXPECT_NE(std::dynamic_pointer_cast<kestrane::PopoverController>(popover->contentViewController()), panel);
    EXPECT_EQ(popover->contentViewController()->view(), panel->view());
}

TEST(PopoverController, TogglesAtTheVisualTop)
{
    auto window = ui::Window::create({100, 100, 300, 200}, ui::StyleMask::titled);
    auto button = core::make<ui::View>(gfx::Rect{100, 50, 40, 20});
    window->contentView()->addSubview(button);
    auto panel = core::make<Panel>();
    panel->togglePopoverAtTop(button);
    EXPECT_TRUE(panel->popoverIsShown());
    const gfx::Rect anchor = window->convertRectToScreen(button->convertRectTo(button->bounds(), nullptr));
    EXPECT_GT(panel->popover()->frame().minY(), anchor.maxY());
    panel->togglePopoverAtTop(button);
    EXPECT_FALSE(panel->popoverIsShown());
    EXPECT_EQ(panel->willClose, 1);
}

}  // namespace
