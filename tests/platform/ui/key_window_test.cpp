// The key window follows the user: the window the window system activates, or that takes a press or a key,
// becomes key, so that nil-targeted actions and menus act on it; the Window menu lists the windows on screen
// and brings the chosen one forward.
#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/detail/qt_window.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/window.h"
#include "tests/platform/core/run_until.h"

namespace {

constexpr ui::ActionName nextFrame{"nextFrame:"};
constexpr double patience = 60;

struct TwoWindows {
    std::shared_ptr<ui::Window> first = titled("First");
    std::shared_ptr<ui::Window> second = titled("Second");
    std::vector<std::string> performed;

    TwoWindows()
    {
        for (auto& [window, name] : {std::pair{first, "first"}, std::pair{second, "second"}})
            window->registerAction(nextFrame, [this, name = std::string(name)](const std::shared_ptr<core::Object>&) {
                performed.push_back(name);
            });
        first->makeKeyAndOrderFront(nullptr);
        second->makeKeyAndOrderFront(nullptr);
    }
    ~TwoWindows()
    {
        first->close();
        second->close();
    }

    static std::shared_ptr<ui::Window> titled(const std::string& title)
    {
        auto window = ui::Window::create({0, 0, 200, 100}, ui::StyleMask::titled);
        window->setTitle(title);
        return window;
    }
};

TEST(KeyWindow, FollowsTheWindowSystemsActivationAndActionsGoThere)
{
    TwoWindows windows;
    auto app = ui::Application::shared();
    ASSERT_EQ(app->keyWindow(), windows.second);

    // Activated from outside the program's own calls, as the window manager does for a click on a title bar.
    ui::widgetOf(*windows.first)->activateWindow();
    ASSERT_TRUE(testsupport::runUntil([&] { return app->keyWindow() == windows.first; }, patience));
    EXPECT_TRUE(windows.first->isKeyWindow());
    EXPECT_TRUE(app->sendAction(nextFrame, nullptr, nullptr));

    ui::widgetOf(*windows.second)->activateWindow();
    ASSERT_TRUE(testsupport::runUntil([&] { return app->keyWindow() == windows.second; }, patience));
    EXPECT_TRUE(app->sendAction(nextFrame, nullptr, nullptr));
    EXPECT_EQ(windows.performed, (std::vector<std::string>{"first", "second"}));
}

TEST(KeyWindow, APressOrAKeyInAWindowMakesItKey)
{
    TwoWindows windows;
    auto app = ui::Application::shared();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(ui::widgetOf(*windows.first), &key);
    EXPECT_EQ(app->keyWindow(), windows.first);

    ui::Event press;
    press.type = ui::EventType::leftMouseDown;
    press.locationInWindow = {5, 5};
    windows.second->sendEvent(press);
    EXPECT_EQ(app->keyWindow(), windows.second);
}

std::vector<std::shared_ptr<ui::MenuItem>> windowItems(const ui::Menu& menu)
{
    std::vector<std::shared_ptr<ui::MenuItem>> items;
    for (auto& item : menu.items())
        if (item->action() == ui::actions::makeKeyAndOrderFront) items.push_back(item);
    return items;
}

TEST(KeyWindow, TheWindowsMenuListsTheWindowsAndBringsTheChosenOneForward)
{
    auto app = ui::Application::shared();
    auto menu = core::make<ui::Menu>("Window");
    menu->addItem("Minimize", ui::actions::performMiniaturize, "m");
    app->setWindowsMenu(menu);
    {
        TwoWindows windows;
        auto sheet = ui::Window::create({0, 0, 80, 40}, ui::StyleMask::titled);
        sheet->setTitle("Sheet");
        windows.first->beginSheet(sheet, {});

        menu->update();
        auto items = windowItems(*menu);
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0]->title(), "First");
        EXPECT_EQ(items[1]->title(), "Second");
        EXPECT_EQ(menu->items().front()->title(), "Minimize");
        const auto key = app->keyWindow();
        EXPECT_EQ(items[0]->state(), key == windows.first ? ui::ControlState::on : ui::ControlState::off);

        windows.first->endSheet(sheet);
        windows.second->makeKeyAndOrderFront(nullptr);
        menu->update();
        items = windowItems(*menu);
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[1]->state(), ui::ControlState::on);
        EXPECT_TRUE(app->sendAction(items[0]->action(), items[0]->target(), items[0]));
        EXPECT_EQ(app->keyWindow(), windows.first);

        windows.second->close();
        menu->update();
        ASSERT_EQ(windowItems(*menu).size(), 1u);
    }
    menu->update();
    EXPECT_TRUE(windowItems(*menu).empty());
    EXPECT_EQ(menu->items().size(), 1u);
    app->setWindowsMenu(nullptr);
}

}  // namespace
