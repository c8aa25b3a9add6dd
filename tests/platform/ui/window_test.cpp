// Windows: sheets one after the other with their completion after closing, closing through the delegate,
// view controllers loaded lazily from registered interfaces.
#include <QMenuBar>

#include <gtest/gtest.h>

#include "platform/core/user_defaults.h"
#include "platform/ui/application.h"
#include "platform/ui/detail/qt_window.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/view.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"
#include "platform/ui/window_controller.h"
#include "platform/ui/window_delegate.h"

namespace {

TEST(Window, ASheetRunsItsCompletionAfterClosingAndTheNextWaits)
{
    auto parent = ui::Window::create({0, 0, 300, 200}, ui::StyleMask::titled);
    parent->makeKeyAndOrderFront(nullptr);
    auto first = ui::Window::create({0, 0, 100, 50}, ui::StyleMask::titled);
    auto second = ui::Window::create({0, 0, 100, 50}, ui::StyleMask::titled);
    std::vector<std::pair<std::string, ui::ModalResponse>> ended;
    bool firstVisibleAtCompletion = true;
    parent->beginSheet(first, [&](ui::ModalResponse code) {
        firstVisibleAtCompletion = first->isVisible();
        ended.push_back({"first", code});
    });
    parent->beginSheet(second, [&](ui::ModalResponse code) { ended.push_back({"second", code}); });
    EXPECT_EQ(parent->attachedSheet(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(first->sheetParent(), parent);

    parent->endSheet(first, ui::ModalResponses::ok);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0], (std::pair<std::string, ui::ModalResponse>{"first", 1}));
    EXPECT_FALSE(firstVisibleAtCompletion);
    EXPECT_EQ(parent->attachedSheet(), second);
    EXPECT_TRUE(second->isVisible());

    second->close();  // closing a sheet ends it
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[1].first, "second");
    EXPECT_EQ(parent->attachedSheet(), nullptr);
    parent->close();
}

TEST(Window, TheDelegateMayKeepTheWindowOpen)
{
    struct Keeper : ui::WindowDelegate {
        bool allow = false;
        int willClose = 0;
        bool windowShouldClose(ui::Window&) override { return allow; }
        void windowWillClose(ui::Window&) override { ++willClose; }
    };
    auto window = ui::Window::create({10, 10, 100, 100}, ui::StyleMask::titled | ui::StyleMask::closable);
    auto keeper = std::make_shared<Keeper>();
    window->setDelegate(keeper);
    window->makeKeyAndOrderFront(nullptr);
    EXPECT_EQ(ui::Application::shared()->keyWindow(), window);
    window->performClose(nullptr);
    EXPECT_TRUE(window->isVisible());
    keeper->allow = true;
    window->performClose(nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(keeper->willClose, 1);
    EXPECT_NE(ui::Application::shared()->keyWindow(), window);
}

TEST(Window, KeepsItsFrameOnTheScreenYUp)
{
    auto window = ui::Window::create({40, 50, 120, 80}, ui::StyleMask::titled);
    EXPECT_EQ(window->contentSize(), (gfx::Size{120, 80}));
    window->setFrameFromString("30 60 150 90 0 0 800 600 ");
    EXPECT_EQ(window->frame(), (gfx::Rect{30, 60, 150, 90}));
    window->setFrameFromString("garbage");
    EXPECT_EQ(window->frame(), (gfx::Rect{30, 60, 150, 90}));
    EXPECT_EQ(window->stringWithSavedFrame().substr(0, 12), "30 60 150 90");
}

class PanelController : public ui::ViewController {
public:
    using ViewController::ViewController;
    int loaded = 0;
    std::shared_ptr<ui::View> outlet;
    void viewDidLoad() override { ++loaded; }
};

TEST(Window, OnlyMainWindowsCarryTheMenuBarAndTheContentKeepsItsSize)
{
    auto main = core::make<ui::Menu>("Main");
    auto file = core::make<ui::MenuItem>("File", ui::Action{}, "");
    file->setSubmenu(core::make<ui::Menu>("File"));
    file->submenu()->addItem("Close", ui::actions::performClose, "w");
    main->addItem(file);
    auto application = ui::Application::shared();
    const auto before = application->mainMenu();
    application->setMainMenu(main);

    const auto menuBarShown = [](ui::Window& window) {
        auto* bar = ui::widgetOf(window)->findChild<QMenuBar*>();
        return bar && !bar->isHidden();
    };
    auto dialog = ui::Window::create({0, 0, 300, 200}, ui::StyleMask::titled);
    EXPECT_FALSE(dialog->showsMenuBar());
    EXPECT_FALSE(menuBarShown(*dialog));
    auto document = ui::Window::create({0, 0, 300, 200}, ui::StyleMask::titled);
    document->setShowsMenuBar(true);
    EXPECT_TRUE(menuBarShown(*document));
    EXPECT_EQ(document->contentSize(), (gfx::Size{300, 200}));
    document->setShowsMenuBar(false);
    EXPECT_FALSE(menuBarShown(*document));
    EXPECT_EQ(document->contentSize(), (gfx::Size{300, 200}));

    application->setMainMenu(before);
    dialog->close();
    document->close();
}

TEST(ViewController, LoadsItsRegisteredInterfaceOnFirstUse)
{
    ui::InterfaceRegistry::add("TestPanel", [](const std::shared_ptr<core::Object>& owner) {
        auto controller = std::dynamic_pointer_cast<PanelController>(owner);
        auto root = core::make<ui::View>(gfx::Rect{0, 0, 80, 40});
        controller->outlet = core::make<ui::View>(gfx::Rect{5, 5, 10, 10});
        root->addSubview(controller->outlet);
        controller->setView(root);
    });
    auto controller = core::make<PanelController>("TestPanel");
    EXPECT_FALSE(controller->isViewLoaded());
    auto view = controller->view();
    EXPECT_EQ(view->frame(), (gfx::Rect{0, 0, 80, 40}));
    EXPECT_EQ(controller->outlet->superview(), view);
    EXPECT_EQ(controller->view(), view);
    EXPECT_EQ(controller->loaded, 1);

    auto plain = core::make<ui::ViewController>("NotRegistered");
    EXPECT_NE(plain->view(), nullptr);
}

TEST(WindowController, LoadsItsWindowLazily)
{
    ui::InterfaceRegistry::add("TestWindow", [](const std::shared_ptr<core::Object>& owner) {
        std::dynamic_pointer_cast<ui::WindowController>(owner)->setWindow(
            ui::Window::create({0, 0, 50, 50}, ui::StyleMask::titled));
    });
    auto controller = core::make<ui::WindowController>(std::string("TestWindow"));
    EXPECT_FALSE(controller->isWindowLoaded());
    auto window = controller->window();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowController(), controller);
}

}  // namespace

namespace {

TEST(Window, KeepsItsFrameUnderItsAutosaveName)
{
    {
        auto first = ui::Window::create({40, 50, 120, 80}, ui::StyleMask::titled);
        EXPECT_TRUE(first->setFrameAutosaveName("TestWindowFrame"));
        auto second = ui::Window::create({0, 0, 10, 10}, ui::StyleMask::titled);
        EXPECT_FALSE(second->setFrameAutosaveName("TestWindowFrame"));
        first->setFrame({70, 90, 200, 150}, true);
        EXPECT_EQ(core::UserDefaults::standard()->string("NSWindow Frame TestWindowFrame")->substr(0, 14),
                  "70 90 200 150 ");
    }
    auto again = ui::Window::create({0, 0, 50, 50}, ui::StyleMask::titled);
    EXPECT_TRUE(again->setFrameAutosaveName("TestWindowFrame"));  // the first window is gone
    EXPECT_EQ(again->frame(), (gfx::Rect{70, 90, 200, 150}));
}

}  // namespace
