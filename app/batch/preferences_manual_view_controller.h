// The manual pane of the preferences window: the settings movie documents read when snapping and exporting
// (the flash and its sound, the GIF frame delay and largest side, the format of dragged-out snaps), each
// control kept in the user defaults. Its interface is "PreferencesManual". Main thread only.
#pragma once

#include <memory>
#include <string>

#include "appkit/preferences_pane_view_controller.h"

namespace vistrel {

inline const std::string PreferencesManualInterface = "PreferencesManual";

class PreferencesManualViewController : public kestrane::PreferencesPaneViewController {
public:
    PreferencesManualViewController() : PreferencesManualViewController(PreferencesManualInterface) {}
    explicit PreferencesManualViewController(const std::string& nibName);
};

}  // namespace vistrel
