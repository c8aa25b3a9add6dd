#include "app/batch/preferences_window_controller.h"

#include "app/batch/preferences_batch_view_controller.h"
#include "app/batch/preferences_manual_view_controller.h"

namespace vistrel {

const std::shared_ptr<PreferencesWindowController>& PreferencesWindowController::sharedController()
{
    // Kept past the end of the run: its window must not outlive the application's widgets on the way out.
    static const auto* shared =
        new std::shared_ptr<PreferencesWindowController>(core::make<PreferencesWindowController>());
    return *shared;
}

void PreferencesWindowController::setupInitialPanels()
{
    showToolbarItemsAsSegmentedControl = true;
    panels = {core::make<PreferencesManualViewController>(), core::make<PreferencesBatchViewController>()};
}

}  // namespace vistrel
