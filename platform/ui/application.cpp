#include "platform/ui/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "platform/core/bundle.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_thread.h"
#include "platform/core/user_notices.h"
#include "platform/ui/alert.h"
#include "platform/ui/detail/qt_window.h"
#include "platform/ui/document_controller.h"
#include "platform/ui/dragging.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/single_instance.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"
#include "platform/ui/window_controller.h"
#include "platform/ui/window_delegate.h"

namespace ui {

namespace {

std::shared_ptr<Application>& sharedSlot()
{
    static std::shared_ptr<Application> application;
    return application;
}

// Windows hold widgets: they go while the Qt application still exists.
void releaseWindows()
{
    if (auto& application = sharedSlot()) application.reset();
}

// A misspelt or unregistered action would do nothing without a word: debug and sanitizer builds name it.
void reportUnperformedAction([[maybe_unused]] const Action& action)
{
#ifndef NDEBUG
    std::fprintf(stderr, "No responder performs the action %s\n", action.c_str());
#endif
}

void showNotice(const core::UserNotice& notice)
{
    auto alert = core::make<Alert>();
    alert->setMessageText(notice.message);
    alert->setInformativeText(notice.information);
    alert->runModal();
}

}  // namespace

std::shared_ptr<Application> Application::shared()
{
    core::assertMainThread();
    auto& application = sharedSlot();
    if (!application) {
        application = core::make<Application>();
        if (QCoreApplication::instance()) qAddPostRoutine(releaseWindows);
    }
    return application;
}

Application::~Application() = default;

void Application::awake()
{
    Responder::awake();
    registerCommand(actions::terminate, &Application::terminate);
}

int Application::run(int argc, char** argv, const std::shared_ptr<ApplicationDelegate>& delegate)
{
    core::assertMainThread();
    static int storedArgc = argc;
    // The toolkit's own debug messages (its event reader's "[heap] n" when the main thread lags, among
    // others) stay out of the program's output, whatever a Qt logging configuration file asks.
    QLoggingCategory::setFilterRules("qt.*.debug=false");
    if (!QCoreApplication::instance()) new QApplication(storedArgc, argv);
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') paths.push_back(argv[i]);
    if (oneProgramPerSession_ && handOverToRunningProgram(paths)) return 0;
    QApplication::setQuitOnLastWindowClosed(false);
    removeLeftoverDragFiles();
    setDelegate(delegate);
    // Problems with stored state (found while loading, or later while saving) are shown as alerts, one at a time.
    core::UserNotices::setPresenter(
        [](const core::UserNotice& notice) { core::DispatchQueue::main()->async([notice] { showNotice(notice); }); });
    if (delegate) delegate->applicationWillFinishLaunching();
    if (auto documents = DocumentController::sharedIfMade()) documents->restoreSession();
    if (delegate && !paths.empty()) delegate->openFiles(paths);
    if (delegate) delegate->applicationDidFinishLaunching();
    if (delegate && paths.empty() && delegate->applicationShouldOpenUntitledFile())
        delegate->applicationOpenUntitledFile();
    running_ = true;
    const int code = QApplication::exec();
    running_ = false;
    instance_.reset();
    releaseInterface();
    return code;
}

void Application::releaseInterface()
{
    // Menus and windows hold Qt objects, which must go while Qt is still whole: the application itself lives
    // on until the program's static objects go, after Qt's own.
    setWindowsMenu(nullptr);
    mainMenu_.reset();
    keyWindow_.reset();
    windows_.clear();
    if (auto documents = DocumentController::sharedIfMade()) documents->releaseDocuments();
}

bool Application::handOverToRunningProgram(const std::vector<std::string>& paths)
{
    const auto identifier = core::Bundle::main()->identifier();
    const std::string name = identifier ? *identifier : QCoreApplication::applicationName().toStdString();
    const auto socket = SingleInstance::socketPathFor(name);
    if (!socket) {
        std::fprintf(stderr, "Runs on its own: the folder of its socket in /tmp is not the user's alone.\n");
        return false;
    }
    std::vector<std::string> absolute;
    for (const auto& path : paths) {
        std::error_code error;
        const auto full = std::filesystem::absolute(path, error);
        absolute.push_back(error ? path : full.string());
    }
    instance_ = std::make_unique<SingleInstance>(*socket);
    std::weak_ptr<Application> weak = sharedAs<Application>();
    const auto outcome = instance_->claim(absolute, [weak](const std::vector<std::string>& handed) {
        if (auto application = weak.lock()) application->openHandedOverFiles(handed);
    });
    if (outcome == SingleInstance::Outcome::handedOver) return true;
    if (outcome == SingleInstance::Outcome::alone) {
        std::fprintf(stderr, "Runs on its own: %s.\n", instance_->problem().c_str());
        instance_.reset();
    }
    return false;
}

void Application::openHandedOverFiles(const std::vector<std::string>& paths)
{
    core::assertMainThread();
    const auto before = windows_;
    if (auto d = delegate(); d && !paths.empty()) d->openFiles(paths);
    std::shared_ptr<Window> front;
    for (const auto& window : windows_)
        if (std::find(before.begin(), before.end(), window) == before.end()) front = window;
    if (!front) front = keyWindow();
    if (!front && !windows_.empty()) front = windows_.back();
    if (!front) return;
    // A window the user minimized comes back as it was before.
    if (QWidget* widget = widgetOf(*front); widget && widget->isMinimized())
        widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    front->makeKeyAndOrderFront(nullptr);
}

void Application::terminate()
{
    core::assertMainThread();
    const TerminateReply reply = delegate() ? delegate()->applicationShouldTerminate() : TerminateReply::terminateNow;
    if (reply == TerminateReply::terminateNow) finishTermination();
}

void Application::replyToApplicationShouldTerminate(bool shouldTerminate)
{
    if (shouldTerminate) finishTermination();
}

void Application::finishTermination()
{
    if (auto d = delegate()) d->applicationWillTerminate();
    if (auto documents = DocumentController::sharedIfMade())
        if (auto notSaved = documents->saveSessionAtQuit()) showNotice(*notSaved);  // now: the loop ends below
    // From here a later launch becomes the running program: this one takes no more files.
    if (instance_) instance_->stop();
    // The windows close without being asked: the quit is agreed to, and Qt's quit() would ask them again, a
    // window that refuses (a busy document, a batch at work) cancelling it. Their widgets go now, while
    // everything they use is still there.
    for (auto& window : std::vector(windows_))
        window->close();
    QCoreApplication::exit(0);
}

std::vector<std::shared_ptr<Responder>> Application::responderChain() const
{
    std::vector<std::shared_ptr<Responder>> chain;
    std::set<const Responder*> seen;
    auto add = [&](const std::shared_ptr<Responder>& responder) {
        if (responder && seen.insert(responder.get()).second) chain.push_back(responder);
    };
    if (auto window = keyWindow()) {
        for (auto responder = window->firstResponder(); responder && !seen.count(responder.get());
             responder = responder->nextResponder())
            add(responder);
        add(window);
        add(std::dynamic_pointer_cast<Responder>(window->delegate()));
        if (auto controller = window->windowController()) {
            add(controller);
            add(controller->document());
        }
    }
    add(std::const_pointer_cast<Application>(std::static_pointer_cast<const Application>(shared_from_this())));
    add(std::dynamic_pointer_cast<Responder>(delegate()));
    add(DocumentController::sharedIfMade());
    return chain;
}

std::shared_ptr<Responder> Application::targetForAction(const Action& action,
                                                        const std::shared_ptr<Responder>& target) const
{
    if (target) return target->respondsTo(action) ? target : nullptr;
    for (auto& responder : responderChain())
        if (responder->respondsTo(action)) return responder;
    return nullptr;
}

bool Application::sendAction(const Action& action, const std::shared_ptr<Responder>& target,
                             const std::shared_ptr<core::Object>& sender)
{
    if (action.empty()) return false;
    auto performer = targetForAction(action, target);
    if (!performer) reportUnperformedAction(action);
    return performer && performer->tryToPerform(action, sender);
}

void Application::setMainMenu(const std::shared_ptr<Menu>& menu)
{
    core::assertMainThread();
    mainMenu_ = menu;
    for (auto& window : windows_)
        window->rebuildMenuBar();
}

void Application::setWindowsMenu(const std::shared_ptr<Menu>& menu)
{
    if (auto old = windowsMenu())
        for (auto& item : windowsMenuItems_)
            old->removeItem(item);
    windowsMenuItems_.clear();
    windowsMenu_ = menu;
}

void Application::updateWindowsMenu()
{
    auto menu = windowsMenu();
    if (!menu) return;
    for (auto& item : windowsMenuItems_)
        menu->removeItem(item);
    windowsMenuItems_.clear();
    const auto key = keyWindow();
    for (auto& window : windows_) {
        if (!window->isVisible() || window->sheetParent() || !(window->styleMask() & StyleMask::titled) ||
            window->title().empty())
            continue;
        if (windowsMenuItems_.empty()) windowsMenuItems_.push_back(MenuItem::separator());
        auto item = core::make<MenuItem>(window->title(), actions::makeKeyAndOrderFront, "");
        item->setTarget(window);
        item->setState(window == key ? ControlState::on : ControlState::off);
        windowsMenuItems_.push_back(item);
    }
    for (auto& item : windowsMenuItems_)
        menu->addItem(item);
}

std::shared_ptr<Window> Application::windowWithNumber(int number) const
{
    for (auto& window : windows_)
        if (window->windowNumber() == number) return window;
    if (auto key = keyWindow(); key && key->windowNumber() == number) return key;
    return nullptr;
}

void Application::requestUserAttention(RequestUserAttentionType)
{
    QWidget* widget = nullptr;
    if (auto window = keyWindow())
        widget = widgetOf(*window);
    else if (!windows_.empty())
        widget = widgetOf(*windows_.front());
    if (widget) QApplication::alert(widget, 1000);
}

void Application::windowDidOrderIn(const std::shared_ptr<Window>& window)
{
    if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) windows_.push_back(window);
}

void Application::windowDidOrderOut(const Window* window)
{
    if (keyWindow().get() == window) {
        keyWindow_.reset();
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
            if (it->get() != window && (*it)->isVisible() && !(*it)->sheetParent()) {
                keyWindow_ = *it;
                break;
            }
    }
    auto found = std::find_if(windows_.begin(), windows_.end(), [&](auto& w) { return w.get() == window; });
    if (found == windows_.end()) return;
    auto keep = *found;  // the window may go with this reference; let it finish its call first
    windows_.erase(found);
    if (running_ && windows_.empty()) {
        // Checked once the turn is over: a window closing for another to show leaves the program reachable.
        std::weak_ptr<Application> weak = sharedAs<Application>();
        core::DispatchQueue::main()->async([weak] {
            if (auto application = weak.lock()) application->terminateWhenWindowless();
        });
    }
}

void Application::terminateWhenWindowless()
{
    if (!running_ || !windows_.empty()) return;
    if (auto d = delegate(); d && !d->applicationShouldTerminateAfterLastWindowClosed()) return;
    terminate();
}

void Application::windowDidBecomeKey(const std::shared_ptr<Window>& window) { keyWindow_ = window; }

void beep() { QApplication::beep(); }

}  // namespace ui
