// The preferences window shows one pane at a time, switches panes from its toolbar items or segments and
// resizes to each pane, keeping its top edge and horizontal centre.
#include <gtest/gtest.h>

#include "appkit/preferences_pane_view_controller.h"
#include "appkit/preferences_panel_window.h"
#include "appkit/preferences_panel_window_controller.h"
#include "platform/gfx/attributed_string.h"
#include "platform/ui/event.h"
#include "platform/ui/screen.h"
#include "platform/ui/system_style.h"
#include "platform/ui/window.h"
#include "tests/platform/core/run_until.h"

namespace {

using kestrane::PreferencesPanelWindowController;

class Pane : public kestrane::PreferencesPaneViewController {
public:
    Pane(std::string identifier, const std::string& title, gfx::Size size)
        : PreferencesPaneViewController("", std::move(identifier), title, title + " tip", nullptr), size_(size)
    {
    }
    void loadView() override { setView(core::make<ui::View>(gfx::Rect{{0, 0}, size_})); }

private:
    gfx::Size size_;
};

struct Options {
    int paneCount = 2;
    bool segmented = false;
    bool center = true;
    bool singleToolbar = false;
};

class Controller : public PreferencesPanelWindowController {
public:
    explicit Controller(Options options) : options_(options) {}
    void setupInitialPanels() override
    {
        const std::vector<std::shared_ptr<kestrane::PreferencesPanel>> all{
            std::make_shared<Pane>("export", "Manual Export", gfx::Size{400, 300}),
            std::make_shared<Pane>("batch", "Batch", gfx::Size{500, 200})};
        panels.assign(all.begin(), all.begin() + options_.paneCount);
        showToolbarItemsAsSegmentedControl = options_.segmented;
        centerToolbarItems = options_.center;
        showToolbarWithSinglePanel = options_.singleToolbar;
    }

private:
    Options options_;
};

std::vector<std::string> identifiersOf(ui::Toolbar& toolbar)
{
    std::vector<std::string> identifiers;
    for (const auto& item : toolbar.items())
        identifiers.push_back(item->itemIdentifier());
    return identifiers;
}

std::shared_ptr<ui::ToolbarItem> itemNamed(ui::Toolbar& toolbar, const std::string& identifier)
{
    for (const auto& item : toolbar.items())
        if (item->itemIdentifier() == identifier) return item;
    return nullptr;
}

bool settledOn(Controller& controller, const std::string& identifier)
{
    return testsupport::runUntil([&] {
        auto active = controller.activatedPanel();
        return active && active->preferenceIdentifier() == identifier;
    });
}

const std::string space = ui::toolbarFlexibleSpaceItemIdentifier;

TEST(PreferencesPanelWindowController, WithoutPanesHasNoToolbarNorPane)
{
    auto controller = core::make<Controller>(Options{.paneCount = 0});
    core::MainLoop::processEvents(0.05);
    EXPECT_FALSE(controller->window()->toolbar());
    EXPECT_FALSE(controller->activatedPanel());
    EXPECT_FALSE(controller->panel("export"));
    EXPECT_EQ(controller->computeMaxSegmentedControlSize(), (gfx::Size{42, 8}));
}

TEST(PreferencesPanelWindowController, ASinglePaneHasAToolbarOnlyWhenAskedFor)
{
    auto plain = core::make<Controller>(Options{.paneCount = 1});
    ASSERT_TRUE(settledOn(*plain, "export"));
    EXPECT_FALSE(plain->window()->toolbar());
    EXPECT_EQ(plain->window()->contentView(), plain->panels[0]->view());
    EXPECT_EQ(plain->window()->contentSize(), (gfx::Size{400, 300}));

    auto withToolbar = core::make<Controller>(Options{.paneCount = 1, .singleToolbar = true});
    ASSERT_TRUE(withToolbar->window()->toolbar());
    EXPECT_EQ(identifiersOf(*withToolbar->window()->toolbar()), (std::vector<std::string>{space, "export", space}));
}

TEST(PreferencesPanelWindowController, ItemPresentationListsPanesAndSelectsTheFirst)
{
    auto centred = core::make<Controller>(Options{});
    auto toolbar = centred->window()->toolbar();
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(toolbar->identifier(), kestrane::PreferencesPanelToolbarIdentifier);
    EXPECT_EQ(toolbar->displayMode(), ui::ToolbarDisplayMode::iconAndLabel);
    EXPECT_FALSE(toolbar->allowsUserCustomization());
    EXPECT_EQ(identifiersOf(*toolbar), (std::vector<std::string>{space, "export", "batch", space}));
    EXPECT_EQ(toolbar->selectedItemIdentifier(), "export");
    auto item = itemNamed(*toolbar, "batch");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->label(), "Batch");
    EXPECT_EQ(item->paletteLabel(), "Batch");
    EXPECT_EQ(item->toolTip(), "Batch tip");
    EXPECT_FALSE(centred->itemForItemIdentifier(*toolbar, "unknown", true));

    auto flush = core::make<Controller>(Options{.center = false});
    EXPECT_EQ(identifiersOf(*flush->window()->toolbar()), (std::vector<std::string>{"export", "batch"}));
}

TEST(PreferencesPanelWindowController, SwitchingPanesResizesAroundTheTopEdge)
{
    auto controller = core::make<Controller>(Options{});
    ASSERT_TRUE(settledOn(*controller, "export"));
    auto window = controller->window();
    EXPECT_EQ(window->contentSize(), (gfx::Size{400, 300}));
    const auto before = window->frame();

    window->toolbar()->performItem(itemNamed(*window->toolbar(), "batch"));
    ASSERT_TRUE(settledOn(*controller, "batch"));
    testsupport::runUntil([&] { return window->frame().size.width == before.size.width + 100; });
    const auto after = window->frame();
    EXPECT_DOUBLE_EQ(after.origin.x, before.origin.x - 50);
    EXPECT_DOUBLE_EQ(after.origin.y, before.origin.y + 100);
    EXPECT_DOUBLE_EQ(after.size.width, before.size.width + 100);
    EXPECT_DOUBLE_EQ(after.size.height, before.size.height - 100);
    EXPECT_EQ(window->contentView(), controller->panels[1]->view());
    EXPECT_EQ(window->contentSize(), (gfx::Size{500, 200}));

    // The pane already shown is left as it is.
    window->toolbar()->performItem(itemNamed(*window->toolbar(), "batch"));
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(window->frame(), after);
    EXPECT_DOUBLE_EQ(controller->panels[1]->view()->alphaValue(), 1);
}

TEST(PreferencesPanelWindowController, SegmentedPresentationCentresOneControl)
{
    auto controller = core::make<Controller>(Options{.segmented = true, .center = false});
    auto toolbar = controller->window()->toolbar();
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(toolbar->displayMode(), ui::ToolbarDisplayMode::iconOnly);
    EXPECT_EQ(identifiersOf(*toolbar),
              (std::vector<std::string>{space, kestrane::PreferencesPanelSegmentedControlIdentifier, space}));
    auto control = controller->segmentedControl();
    ASSERT_TRUE(control);
    EXPECT_EQ(control->identifier(), kestrane::PreferencesPanelSegmentedControlIdentifier);

    gfx::TextAttributes attributes;
    attributes.font = gfx::Font::system(ui::systemFontSize(ui::ControlSize::regular));
    const auto wide = gfx::AttributedString("Manual Export", attributes).size();
    const auto narrow = gfx::AttributedString("Batch", attributes).size();
    const double segmentWidth = std::max(wide.width, narrow.width) + 42;
    EXPECT_DOUBLE_EQ(control->frame().size.width, 2 * segmentWidth + 3);
    EXPECT_DOUBLE_EQ(control->frame().size.height, std::max(wide.height, narrow.height) + 8);
    EXPECT_EQ(control->segmentCount(), 2);
    EXPECT_EQ(control->labelForSegment(1), "Batch");
    EXPECT_EQ(control->tagForSegment(1), 1);
    EXPECT_DOUBLE_EQ(control->widthForSegment(0), segmentWidth);

    ASSERT_TRUE(settledOn(*controller, "export"));
    control->pressSegment(1);
    ASSERT_TRUE(settledOn(*controller, "batch"));
    EXPECT_EQ(controller->window()->contentView(), controller->panels[1]->view());
}

TEST(PreferencesPanelWindow, EscapeHidesAndClosesOtherKeysDoNot)
{
    auto controller = core::make<Controller>(Options{});
    auto window = controller->window();
    EXPECT_EQ(window->styleMask(), 7u);
    EXPECT_EQ(window->frameAutosaveName(), kestrane::PreferencesPanelWindowFrameAutosaveName);
    window->makeKeyAndOrderFront(nullptr);
    ASSERT_TRUE(testsupport::runUntil([&] { return window->isVisible(); }));

    window->keyDown(ui::Event::keyEvent(ui::EventType::keyDown, {}, {}, 0, window->windowNumber(), "a", "a", false, 0));
    EXPECT_TRUE(window->isVisible());
    window->keyDown(
        ui::Event::keyEvent(ui::EventType::keyDown, {}, {}, 0, window->windowNumber(), "\x1b", "\x1b", false, 53));
    EXPECT_FALSE(window->isVisible());
}

TEST(PreferencesPanelWindow, DefaultFrameIsCentredOnTheMainScreen)
{
    const auto frame = kestrane::PreferencesPanelWindow::defaultWindowFrame();
    EXPECT_EQ(frame.size, (gfx::Size{420, 400}));
    if (auto screen = ui::Screen::main()) {
        EXPECT_DOUBLE_EQ(frame.origin.x, screen->frame.origin.x + (screen->frame.size.width - 420) * 0.5);
        EXPECT_DOUBLE_EQ(frame.origin.y, screen->frame.origin.y + (screen->frame.size.height - 400) * 0.5);
    }
}

}  // namespace
