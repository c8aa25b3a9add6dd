#include "app/document/app_controller.h"

#include <mutex>

#include "app/document/app_controller_actions.h"
#include "app/document/defaults_keys.h"
#include "app/document/document.h"
#include "app/document/drop_window_controller.h"
#include "app/document/main_menu.h"
#include "app/document/movie_opening.h"
#include "appkit/welcome_window_controller.h"
#include "appkit/workspace_extensions.h"
#include "foundation/bundle_info.h"
#include "foundation/launch_setup.h"
#include "foundation/shortcuts.h"
#include "foundation/url_extensions.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_thread.h"
#include "platform/ui/application.h"
#include "platform/ui/workspace.h"

namespace vistrel {

AppController::AppController()
{
    static std::once_flag classSetUp;
    std::call_once(classSetUp, [] { kestrane::setup(kestrane::Defaults); });
}

void AppController::awake()
{
    core::assertMainThread();
    Responder::awake();
    registerCommand(actions::openDocument, &AppController::openDocument);
    registerCommand(actions::showBatchWindow, &AppController::showBatchWindow);
    registerCommand(actions::showWelcomeWindow, &AppController::showWelcomeWindow);
    registerCommand(actions::showPreferencesWindow, &AppController::showPreferencesWindow);
    registerCommand(actions::showAppStore, &AppController::showAppStore);
    registerCommand(actions::showWebsite, &AppController::showWebsite);
    registerCommand(actions::askForHelp, &AppController::askForHelp);
    registerCommand(actions::toggleDropWindowIfNeeded, &AppController::toggleDropWindowIfNeeded);
}

void AppController::applicationWillFinishLaunching()
{
    core::assertMainThread();
    kestrane::UNC->setDelegate(sharedAs<AppController>());
    ui::Application::shared()->setMainMenu(makeMainMenu());
    std::weak_ptr<AppController> weak = sharedAs<AppController>();
    const auto rule = [weak](const core::Notification&) {
        if (auto controller = weak.lock()) controller->toggleDropWindowIfNeeded();
    };
    kestrane::NC->addObserver(this, DocumentDidLoadNotification, nullptr, rule);
    // Here a program without windows could not be reached: the rule also runs when a document has closed.
    kestrane::NC->addObserver(this, DocumentDidCloseNotification, nullptr, rule);
}

void AppController::applicationDidFinishLaunching()
{
    core::assertMainThread();
    toggleDropWindowIfNeeded();
    tellAboutMissingMovies();
}

bool AppController::applicationShouldOpenUntitledFile()
{
    core::assertMainThread();
    toggleDropWindowIfNeeded();
    return false;
}

bool AppController::applicationOpenUntitledFile() { return true; }

void AppController::openFiles(const std::vector<std::string>& paths)
{
    core::assertMainThread();
    openDocuments(*kestrane::DC.get(), kestrane::URL::URLsFromPaths(paths));
}

void AppController::tellAboutMissingMovies()
{
    std::string paths;
    for (const auto& document : kestrane::DC->missingDocuments())
        if (const auto url = document->fileURL()) paths += url->path() + "\n";
    if (paths.empty()) return;
    const auto& bundle = *kestrane::MB.get();
    tellLater(kestrane::local(bundle, "AppController.MissingMoviesAlert.MessageText"),
              paths + "\n" + kestrane::local(bundle, "AppController.MissingMoviesAlert.InformativeText"));
}

void AppController::tellLater(const std::string& message, const std::string& information)
{
    std::weak_ptr<AppController> weak = sharedAs<AppController>();
    core::DispatchQueue::main()->async([weak, message, information] {
        const auto controller = weak.lock();
        if (!controller) return;
        auto alert = core::make<ui::Alert>();
        alert->setAlertStyle(ui::AlertStyle::warning);
        alert->setMessageText(message);
        alert->setInformativeText(information);
        alert->addButton(kestrane::local(*kestrane::MB.get(), "AppController.NoticeButton"));
        controller->runAlert(*alert);
    });
}

bool AppController::applicationShouldTerminateAfterLastWindowClosed()
{
    core::assertMainThread();
    const bool documentsOpen = !kestrane::DC->documents().empty();
    if (!documentsOpen && DropWindowController::sharedController()->wasClosedByUser()) return true;
    toggleDropWindowIfNeeded();
    return !documentsOpen && ui::Application::shared()->windows().empty();
}

ui::TerminateReply AppController::applicationShouldTerminate()
{
    core::assertMainThread();
    if (quitting_) return ui::TerminateReply::terminateLater;
    const int processing = processingDocumentsCount(*kestrane::DC.get());
    if (processing > 0) {
        auto alert = makeCountAlert("AppController.DocumentsProcessingAlert", processing);
        if (runAlert(*alert) == ui::ModalResponses::alertFirstButton) return ui::TerminateReply::terminateCancel;
    }
    if (!askBatchQuestion()) return ui::TerminateReply::terminateCancel;
    if (!stopAllWork()) return ui::TerminateReply::terminateNow;
    const auto wait =
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(quitWaitSeconds));
    quitting_ = true;
    replyWhenWorkHasStopped(std::chrono::steady_clock::now() + wait);
    return ui::TerminateReply::terminateLater;
}

bool AppController::stopAllWork()
{
    bool finishing = false;
    for (const auto& each : kestrane::DC->documents())
        if (const auto document = std::dynamic_pointer_cast<Document>(each)) {
            document->stopBusyWork();
            finishing = finishing || document->isAtWork();
        }
    stopBatchTasks();
    return finishing || isBatchWriting();
}

void AppController::replyWhenWorkHasStopped(std::chrono::steady_clock::time_point deadline)
{
    std::weak_ptr<AppController> weak = sharedAs<AppController>();
    core::DispatchQueue::main()->asyncAfter(0.05, [weak, deadline] {
        const auto controller = weak.lock();
        if (!controller) return;
        if (controller->stopAllWork() && std::chrono::steady_clock::now() < deadline)
            return controller->replyWhenWorkHasStopped(deadline);
        controller->quitting_ = false;
        if (controller->terminationReplier_)
            controller->terminationReplier_(true);
        else
            ui::Application::shared()->replyToApplicationShouldTerminate(true);
    });
}

void AppController::applicationWillTerminate() { kestrane::NC->removeObserver(this); }

void AppController::toggleDropWindowIfNeeded()
{
    core::assertMainThread();
    const bool documentsOpen = !kestrane::DC->documents().empty();
    const bool batchVisible = isBatchWindowVisible();
    auto drop = DropWindowController::sharedController();
    if (!documentsOpen && !batchVisible)
        drop->showWindow(nullptr);
    else
        drop->close();
}

void AppController::openDocument(const std::shared_ptr<core::Object>& sender)
{
    core::assertMainThread();
    DropWindowController::sharedController()->close();
    kestrane::DC->openDocument(sender);
}

void AppController::showWelcomeWindow(const std::shared_ptr<core::Object>& sender)
{
    core::assertMainThread();
    kestrane::WelcomeWindowController::showSharedWindow(sender);
}

void AppController::showAppStore(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    kestrane::openAppStorePage(ui::Workspace::shared());
}

void AppController::showWebsite(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    kestrane::openAppWebsitePage(ui::Workspace::shared());
}

void AppController::askForHelp(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    kestrane::contactCustomerSupport(ui::Workspace::shared());
}

bool AppController::validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item)
{
    const ui::Action action = item.action();
    if (action == actions::showBatchWindow || action == actions::showPreferencesWindow)
        return validateBatchCommand(action);
    return true;
}

ui::ModalResponse AppController::runAlert(ui::Alert& alert)
{
    return alertRunner_ ? alertRunner_(alert) : alert.runModal();
}

std::shared_ptr<ui::Alert> makeCountAlert(const std::string& prefix, int count)
{
    const auto& bundle = *kestrane::MB.get();
    auto alert = core::make<ui::Alert>();
    alert->setAlertStyle(ui::AlertStyle::informational);
    alert->setMessageText(kestrane::local(bundle, prefix + ".MessageText", count));
    alert->setInformativeText(kestrane::local(bundle, prefix + ".InformativeText"));
    alert->addButton(kestrane::local(bundle, prefix + ".FirstButton"));
    alert->addButton(kestrane::local(bundle, prefix + ".SecondButton"));
    return alert;
}

}  // namespace vistrel
