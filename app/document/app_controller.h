// The program's delegate: sets up the user defaults before anything else, shows the drop window while no
// document is open and the batch window is hidden, opens the files handed over on the command line (naming
// those it cannot open), names the movies of the kept session that were missing, answers the application's
// menu commands, asks before quitting while documents or batch tasks are at work and stops that work when the
// user quits anyway, and lets user notifications show while the program is active. Its batch share (the batch and
// preferences windows, the batch window's part in the drop-window rule and the question about running batch tasks)
// lives in app_controller_batch.cpp. Main thread only.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/alert.h"
#include "platform/ui/application_delegate.h"
#include "platform/ui/responder.h"
#include "platform/ui/user_notification.h"

namespace vistrel {

class BatchWindowController;

class AppController : public ui::Responder, public ui::ApplicationDelegate, public ui::UserNotificationCenterDelegate {
public:
    // Runs the launch bookkeeping of the user defaults the first time a controller is made.
    AppController();
    // Makes the commands performable.
    void awake() override;

    // Becomes the user notification centre's delegate, installs the main menu, and follows the documents as
    // their windows load and as they close.
    void applicationWillFinishLaunching() override;
    // Runs the drop-window rule and tells which movies of the kept session were missing.
    void applicationDidFinishLaunching() override;
    // Runs the drop-window rule; the answer is no.
    bool applicationShouldOpenUntitledFile() override;
    // Opens nothing; the answer is yes.
    bool applicationOpenUntitledFile() override;
    // Opens the movies among the paths and in the folders; a path that does not exist or is no movie opens
    // nothing, and all such paths are named in one alert.
    void openFiles(const std::vector<std::string>& paths) override;
    // The program stays while a window is on screen or on its way: a document that closed gives way to the
    // drop window; only when the user closed the drop window itself is there nothing left to show.
    bool applicationShouldTerminateAfterLastWindowClosed() override;
    // The documents question, then the batch question; the first button of either cancels. Quitting stops
    // the documents' busy work and the batch tasks where they are; while a frame or file is still being
    // finished the answer comes later, once it is (or after a few seconds at most).
    ui::TerminateReply applicationShouldTerminate() override;
    void applicationWillTerminate() override;
    // Notices show even while the program is active.
    bool shouldPresent(const std::shared_ptr<ui::UserNotification>& notification) override { return true; }

    // The drop-window rule: shown when no document is open and the batch window is not visible, else closed.
    void toggleDropWindowIfNeeded();
    // Closes the drop window, then asks for movies with the open panel.
    void openDocument(const std::shared_ptr<core::Object>& sender);
    void showBatchWindow(const std::shared_ptr<core::Object>& sender);
    void showWelcomeWindow(const std::shared_ptr<core::Object>& sender);
    void showPreferencesWindow(const std::shared_ptr<core::Object>& sender);
    void showAppStore(const std::shared_ptr<core::Object>& sender);
    void showWebsite(const std::shared_ptr<core::Object>& sender);
    void askForHelp(const std::shared_ptr<core::Object>& sender);

    bool validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item) override;

    // The batch window, made the first time it is asked for and kept for the rest of the run; closing the
    // window keeps it, with its manager.
    const std::shared_ptr<BatchWindowController>& batchWindowController() const { return batchWindowController_; }

    // How modal alerts are run: the alert's own runModal unless replaced (tests answer for the user).
    using AlertRunner = std::function<ui::ModalResponse(ui::Alert&)>;
    void setAlertRunner(AlertRunner runner) { alertRunner_ = std::move(runner); }
    // How a later answer to quitting is given: the application's reply unless replaced (tests).
    using TerminationReplier = std::function<void(bool)>;
    void setTerminationReplier(TerminationReplier replier) { terminationReplier_ = std::move(replier); }
    // The longest quitting waits for work under way to finish.
    static constexpr double quitWaitSeconds = 5;

protected:
    ui::ModalResponse runAlert(ui::Alert& alert);
    // The batch share.
    bool isBatchWindowVisible() const;
    bool validateBatchCommand(const ui::Action& action) const;
    // Asks about running batch tasks; true goes on with quitting.
    bool askBatchQuestion();
    // Quitting: every task stops starting frames; whether frames of the batch are still being written.
    void stopBatchTasks();
    bool isBatchWriting() const;

private:
    // One alert, when the program is on screen, naming the movies of the session whose files were missing.
    void tellAboutMissingMovies();
    // A notice with one button, shown once the current turn of the main loop is over.
    void tellLater(const std::string& message, const std::string& information);
    // Stops the documents' work and the batch's; whether something is still finishing.
    bool stopAllWork();
    // Answers the quit once nothing is finishing any more, or at `deadline`.
    void replyWhenWorkHasStopped(std::chrono::steady_clock::time_point deadline);

    AlertRunner alertRunner_;
    TerminationReplier terminationReplier_;
    // Quitting has been agreed to and waits for work to finish: asked again, nothing more is asked.
    bool quitting_ = false;
    std::shared_ptr<BatchWindowController> batchWindowController_;
};

// An alert of the main bundle's texts "<prefix>.MessageText" (a format given `count`), "<prefix>.InformativeText"
// and the buttons "<prefix>.FirstButton" and "<prefix>.SecondButton".
std::shared_ptr<ui::Alert> makeCountAlert(const std::string& prefix, int count);

}  // namespace vistrel
