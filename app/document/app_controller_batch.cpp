// The application controller's batch share: the batch window and the preferences window, the batch window's
// part in the drop-window rule, and the question about running batch tasks at quit.
#include "app/document/app_controller.h"

#include "app/batch/batch_task.h"
#include "app/batch/batch_window_controller.h"
#include "app/batch/preferences_window_controller.h"
#include "app/document/drop_window_controller.h"
#include "platform/core/main_thread.h"
#include "platform/ui/window.h"

namespace vistrel {

void AppController::showBatchWindow(const std::shared_ptr<core::Object>& sender)
{
    core::assertMainThread();
    DropWindowController::sharedController()->close();
    if (!batchWindowController_) batchWindowController_ = BatchWindowController::create();
    batchWindowController_->showWindow(sender);
}

void AppController::showPreferencesWindow(const std::shared_ptr<core::Object>& sender)
{
    core::assertMainThread();
    PreferencesWindowController::sharedController()->showWindow(sender);
}

bool AppController::isBatchWindowVisible() const
{
    return batchWindowController_ && batchWindowController_->isWindowLoaded() &&
           batchWindowController_->window()->isVisible();
}

bool AppController::validateBatchCommand(const ui::Action&) const { return true; }

bool AppController::askBatchQuestion()
{
    if (!batchWindowController_) return true;
    const auto& manager = *batchWindowController_->manager();
    // Stopped tasks do not count.
    const int running = manager.pendingTasksCount() + manager.processingTasksCount();
    if (running == 0) return true;
    auto alert = makeCountAlert("AppController.BatchTasksProcessingAlert", running);
    return runAlert(*alert) != ui::ModalResponses::alertFirstButton;
}

void AppController::stopBatchTasks()
{
    if (batchWindowController_) batchWindowController_->manager()->cancelAllTasks();
}

bool AppController::isBatchWriting() const { return BatchTask::framesAtWork() > 0; }

}  // namespace vistrel
