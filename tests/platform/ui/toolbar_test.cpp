// Toolbars built from their delegate above the content, window frames animated in a group, editing ended,
// window levels.
#include <QLineEdit>

#include <gtest/gtest.h>

#include "platform/core/user_defaults.h"
#include "platform/ui/animation_context.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_toolbar.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/segmented_control.h"
#include "platform/ui/text_field.h"
#include "platform/ui/toolbar.h"
#include "platform/ui/window.h"
#include "platform/ui/window_level.h"
#include "tests/platform/core/run_until.h"

namespace {

constexpr ui::ActionName showPane{"showPane:"};

struct Panes : ui::ToolbarDelegate {
    std::shared_ptr<ui::Responder> target = core::make<ui::Responder>();
    std::shared_ptr<ui::SegmentedControl> segments = core::make<ui::SegmentedControl>(gfx::Rect{0, 0, 90, 24});
    std::vector<std::string> clicked;

    Panes()
    {
        target->registerAction(showPane, [this](const std::shared_ptr<core::Object>& sender) {
            clicked.push_back(std::dynamic_pointer_cast<ui::ToolbarItem>(sender)->itemIdentifier());
        });
    }
    std::shared_ptr<ui::ToolbarItem> itemForItemIdentifier(ui::Toolbar&, const std::string& id, bool) override
    {
        if (id == "missing") return nullptr;
        auto item = core::make<ui::ToolbarItem>(id);
        item->setLabel(id);
        if (id == "segments") {
            item->setView(segments);
            item->setMinSize({90, 24});
            return item;
        }
        item->setTarget(target);
        item->setAction(showPane);
        return item;
    }
    std::vector<std::string> defaultItemIdentifiers(ui::Toolbar&) override
    {
        return {ui::toolbarFlexibleSpaceItemIdentifier, "general", "missing", "advanced", "segments",
                ui::toolbarFlexibleSpaceItemIdentifier};
    }
    std::vector<std::string> selectableItemIdentifiers(ui::Toolbar&) override { return {"general", "advanced"}; }
};

TEST(Toolbar, BuildsItsItemsFromTheDelegateAboveTheContent)
{
    auto window = ui::Window::create({100, 100, 300, 200}, ui::StyleMask::titled);
    auto panes = std::make_shared<Panes>();
    auto toolbar = core::make<ui::Toolbar>("Preferences");
    toolbar->setDelegate(panes);
    window->setToolbar(toolbar);
    EXPECT_EQ(window->contentSize(), (gfx::Size{300, 200}));
    const auto& items = toolbar->items();
    ASSERT_EQ(items.size(), 5u);  // the missing one yields no item
    EXPECT_EQ(items[1]->itemIdentifier(), "general");
    EXPECT_EQ(items[4]->itemIdentifier(), ui::toolbarFlexibleSpaceItemIdentifier);
    EXPECT_EQ(panes->segments->window(), nullptr);

    toolbar->performItem(items[2]);
    EXPECT_EQ(panes->clicked, std::vector<std::string>{"advanced"});
    EXPECT_EQ(toolbar->selectedItemIdentifier(), "advanced");
    toolbar->setSelectedItemIdentifier("general");
    EXPECT_EQ(toolbar->selectedItemIdentifier(), "general");

    window->setToolbar(nullptr);
    EXPECT_EQ(window->contentSize(), (gfx::Size{300, 200}));
}

std::vector<std::string> identifiersOf(ui::Toolbar& toolbar)
{
    std::vector<std::string> identifiers;
    for (auto& item : toolbar.items())
        identifiers.push_back(item->itemIdentifier());
    return identifiers;
}

// Offers more items than it shows at first.
struct Tools : Panes {
    std::vector<std::string> allowed{"general", "advanced", "segments", "export"};
    std::vector<std::string> allowedItemIdentifiers(ui::Toolbar&) override { return allowed; }
    std::vector<std::string> defaultItemIdentifiers(ui::Toolbar&) override { return {"general", "advanced"}; }
};

TEST(Toolbar, KeepsTheUsersItemsAndDisplayModeWhenItAutosaves)
{
    const std::string key = "NSToolbar Configuration Tools";
    auto tools = std::make_shared<Tools>();
    auto first = core::make<ui::Toolbar>("Tools");
    first->setDelegate(tools);
    first->setAllowsUserCustomization(true);
    first->insertItemWithItemIdentifier("export", 1);
    EXPECT_FALSE(core::UserDefaults::standard()->object(key));  // nothing kept without autosaving

    first->setAutosavesConfiguration(true);
    first->insertItemWithItemIdentifier("missing", 0);  // the delegate has no such item
    first->insertItemWithItemIdentifier(ui::toolbarFlexibleSpaceItemIdentifier, 99);
    first->removeItemAtIndex(0);
    first->removeItemAtIndex(7);
    first->setDisplayMode(ui::ToolbarDisplayMode::labelOnly);
    EXPECT_EQ(identifiersOf(*first),
              (std::vector<std::string>{"export", "advanced", ui::toolbarFlexibleSpaceItemIdentifier}));
    EXPECT_TRUE(core::UserDefaults::standard()->dictionary(key));

    // A toolbar of the same identifier comes back as the user left it, without items no longer allowed.
    tools->allowed = {"general", "advanced"};
    auto second = core::make<ui::Toolbar>("Tools");
    second->setAutosavesConfiguration(true);
    second->setDelegate(tools);
    EXPECT_EQ(identifiersOf(*second), (std::vector<std::string>{"advanced", ui::toolbarFlexibleSpaceItemIdentifier}));
    EXPECT_EQ(second->displayMode(), ui::ToolbarDisplayMode::labelOnly);
    auto third = core::make<ui::Toolbar>("Tools");
    third->setDelegate(tools);
    EXPECT_EQ(identifiersOf(*third), (std::vector<std::string>{"general", "advanced"}));
    third->setAutosavesConfiguration(true);
    EXPECT_EQ(identifiersOf(*third), (std::vector<std::string>{"advanced", ui::toolbarFlexibleSpaceItemIdentifier}));

    auto window = ui::Window::create({100, 100, 300, 200}, ui::StyleMask::titled);
    window->setToolbar(third);
    EXPECT_EQ(third->impl().bar->contextMenuPolicy(), Qt::PreventContextMenu);
    third->setAllowsUserCustomization(true);
    EXPECT_EQ(third->impl().bar->contextMenuPolicy(), Qt::CustomContextMenu);
    core::UserDefaults::standard()->remove(key);
}

TEST(Toolbar, AnItemViewGrowsFromItsMinimumToItsMaximum)
{
    auto window = ui::Window::create({100, 100, 300, 200}, ui::StyleMask::titled);
    auto panes = std::make_shared<Panes>();
    auto toolbar = core::make<ui::Toolbar>("Sizes");
    toolbar->setDelegate(panes);
    toolbar->items()[3]->setMaxSize({200, 24});
    window->setToolbar(toolbar);
    window->makeKeyAndOrderFront(nullptr);
    QWidget* widget = ui::widgetOf(*panes->segments);
    EXPECT_EQ(widget->minimumSize(), QSize(90, 24));
    EXPECT_EQ(widget->maximumSize(), QSize(200, 24));
    widget->resize(150, 24);  // as the toolbar's layout does
    EXPECT_EQ(panes->segments->frame().size, (gfx::Size{150, 24}));
    window->close();
}

TEST(Window, AnimatesItsFrameInAGroup)
{
    auto window = ui::Window::create({100, 100, 300, 200}, ui::StyleMask::titled);
    bool done = false;
    ui::AnimationContext::runAnimationGroup(
        [&](ui::AnimationContext& context) {
            context.setDuration(0.05);
            window->animator().setFrame({50, 200, 400, 100}, true);
        },
        [&] { done = true; });
    EXPECT_TRUE(testsupport::runUntil([&] { return done; }));
    EXPECT_EQ(window->frame(), (gfx::Rect{50, 200, 400, 100}));
}

TEST(Window, EndingEditingTakesTheTypedTextAndTheFocus)
{
    auto window = ui::Window::create({100, 100, 300, 200}, ui::StyleMask::titled);
    auto field = core::make<ui::TextField>(gfx::Rect{10, 10, 100, 24});
    window->contentView()->addSubview(field);
    ASSERT_TRUE(window->makeFirstResponder(field));
    qobject_cast<QLineEdit*>(ui::controlWidget(*field))->setText("typed");
    window->endEditingFor(nullptr);
    EXPECT_EQ(field->stringValue(), "typed");
    EXPECT_EQ(window->firstResponder(), window);
}

TEST(WindowLevel, GivesThePlatformsNumbers)
{
    EXPECT_EQ(ui::windowLevelForKey(4), 0);   // normal
    EXPECT_EQ(ui::windowLevelForKey(5), 3);   // floating
    EXPECT_EQ(ui::windowLevelForKey(10), 8);  // modal panel
    EXPECT_EQ(ui::windowLevelForKey(13), 1000);
    EXPECT_LT(ui::windowLevelForKey(18), 0);  // desktop icons lie below everything
    EXPECT_EQ(ui::windowLevelForKey(99), 0);
}

}  // namespace
