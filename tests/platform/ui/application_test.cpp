// A running application asks to terminate once no window is left on screen, but not while one window gives
// way to another, nor while its delegate keeps it for a window that comes in a later turn; a termination
// the delegate agreed to ends the program without asking its windows again.
#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/core/dispatch_queue.h"
#include "platform/ui/application.h"
#include "platform/ui/window.h"
#include "platform/ui/window_delegate.h"

namespace {

struct Launcher : ui::ApplicationDelegate {
    std::shared_ptr<ui::Window> first;
    std::shared_ptr<ui::Window> second;
    int asked = 0;
    bool windowsLeftWhenAsked = true;

    void applicationDidFinishLaunching() override
    {
        first = ui::Window::create({100, 100, 200, 100}, ui::StyleMask::titled);
        first->makeKeyAndOrderFront(nullptr);
        core::DispatchQueue::main()->async([this] {
            // One window closes and the next opens in the same turn: the program stays.
            first->close();
            second = ui::Window::create({120, 120, 200, 100}, ui::StyleMask::titled);
            second->makeKeyAndOrderFront(nullptr);
            core::DispatchQueue::main()->async([this] { second->close(); });
        });
    }
    ui::TerminateReply applicationShouldTerminate() override
    {
        ++asked;
        windowsLeftWhenAsked = !ui::Application::shared()->windows().empty();
        return ui::TerminateReply::terminateNow;
    }
};

TEST(Application, AsksToTerminateWhenItsLastWindowCloses)
{
    for (auto& window : ui::Application::shared()->windows())
        window->orderOut(nullptr);  // other tests' windows
    auto launcher = std::make_shared<Launcher>();
    QTimer safety;  // ends the loop should the question never come
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    safety.start(30000);
    char name[] = "test_platform_ui";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(ui::Application::shared()->run(1, argv, launcher), 0);
    EXPECT_EQ(launcher->asked, 1);
    EXPECT_FALSE(launcher->windowsLeftWhenAsked);
    ui::Application::shared()->setDelegate(nullptr);
}

// The delegate keeps the program when its only window closes, and shows the next one a turn later.
struct Keeper : ui::ApplicationDelegate {
    std::shared_ptr<ui::Window> window;
    int keptFor = 0;
    int asked = 0;

    void show(double after)
    {
        core::DispatchQueue::main()->asyncAfter(after, [this] {
            window = ui::Window::create({100, 100, 200, 100}, ui::StyleMask::titled);
            window->makeKeyAndOrderFront(nullptr);
            core::DispatchQueue::main()->async([this] { window->close(); });
        });
    }
    void applicationDidFinishLaunching() override { show(0); }
    bool applicationShouldTerminateAfterLastWindowClosed() override
    {
        if (keptFor == 1) return true;
        ++keptFor;
        show(0.05);
        return false;
    }
    ui::TerminateReply applicationShouldTerminate() override
    {
        ++asked;
        return ui::TerminateReply::terminateNow;
    }
};

TEST(Application, ADelegateKeepsTheProgramForAWindowToCome)
{
    for (auto& window : ui::Application::shared()->windows())
        window->orderOut(nullptr);
    auto keeper = std::make_shared<Keeper>();
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    safety.start(30000);
    char name[] = "test_platform_ui";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(ui::Application::shared()->run(1, argv, keeper), 0);
    EXPECT_EQ(keeper->keptFor, 1);
    EXPECT_EQ(keeper->asked, 1);
    ui::Application::shared()->setDelegate(nullptr);
}

// A window that refuses to close (a document at work) and a delegate that agrees to quit: the program ends,
// and the window is not asked again.
struct Refuser : ui::WindowDelegate {
    int asked = 0;
    bool windowShouldClose(ui::Window&) override
    {
        ++asked;
        return false;
    }
};

struct Quitter : ui::ApplicationDelegate {
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<Refuser> refuser = std::make_shared<Refuser>();
    int asked = 0;

    void applicationDidFinishLaunching() override
    {
        window = ui::Window::create({100, 100, 200, 100}, ui::StyleMask::titled | ui::StyleMask::closable);
        window->setDelegate(refuser);
        window->makeKeyAndOrderFront(nullptr);
        core::DispatchQueue::main()->async([] { ui::Application::shared()->terminate(); });
    }
    ui::TerminateReply applicationShouldTerminate() override
    {
        ++asked;
        return ui::TerminateReply::terminateNow;
    }
};

TEST(Application, AnAgreedTerminationEndsTheLoopWhateverTheWindowsSay)
{
    for (auto& window : ui::Application::shared()->windows())
        window->orderOut(nullptr);
    auto quitter = std::make_shared<Quitter>();
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    safety.start(10000);
    char name[] = "test_platform_ui";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(ui::Application::shared()->run(1, argv, quitter), 0);
    EXPECT_EQ(quitter->asked, 1);
    EXPECT_EQ(quitter->refuser->asked, 0);
    quitter->window->setDelegate(nullptr);
    quitter->window->close();
    ui::Application::shared()->setDelegate(nullptr);
}

}  // namespace
