// The application controller's batch share: the batch window and the preferences window, the batch window's
// part in the drop-window rule, and the question about running batch tasks at quit. Until the batch mode's
// windows exist, their commands are unavailable, no batch window is ever visible and nothing is asked.
#include "app/document/app_controller.h"

#include "platform/ui/application.h"

namespace vistrel {

void AppController::showBatchWindow(const std::shared_ptr<core::Object>&)
{
    ui::beep();
}

void AppController::showPreferencesWindow(const std::shared_ptr<core::Object>&)
{
    ui::beep();
}

bool AppController::isBatchWindowVisible() const { return false; }

bool AppController::validateBatchCommand(const ui::Action&) const { return false; }

bool AppController::askBatchQuestion() { return true; }

}  // namespace vistrel
