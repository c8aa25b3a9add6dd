// The application's preferences window: the manual pane and the batch pane behind a segmented control, one
// shared window for the whole run. Main thread only.
#pragma once

#include <memory>

#include "appkit/preferences_panel_window_controller.h"

namespace vistrel {

class PreferencesWindowController : public kestrane::PreferencesPanelWindowController {
public:
    using kestrane::PreferencesPanelWindowController::PreferencesPanelWindowController;

    // Made on first use, kept for the rest of the run.
    static const std::shared_ptr<PreferencesWindowController>& sharedController();

    void setupInitialPanels() override;
};

}  // namespace vistrel
