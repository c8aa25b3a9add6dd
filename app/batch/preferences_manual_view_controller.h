// The manual pane of the preferences window: the settings movie documents read when snapping and exporting
// (the flash and its sound, the GIF frame delay and largest side, the format of dragged-out snaps), each
// control kept in the user defaults. Its interface is "PreferencesManual". Main thread only.
#pragma once

#include <memory>
#include <string>

#include "appkit/preferences_panel.h"
#include "platform/ui/view_controller.h"

namespace vistrel {

inline const std::string PreferencesManualInterface = "PreferencesManual";

class PreferencesManualViewController : public ui::ViewController, public kestrane::PreferencesPanel {
  public:
    PreferencesManualViewController() : PreferencesManualViewController(PreferencesManualInterface) {}
    explicit PreferencesManualViewController(const std::string& nibName);

    std::shared_ptr<ui::View> view() override { return ViewController::view(); }
    std::string preferenceIdentifier() override { return identifier_; }
    std::string preferenceTitle() override { return title_; }
    std::shared_ptr<ui::Picture> preferenceIcon() override { return icon_; }
    std::string preferenceToolTip() override { return toolTip_; }

  private:
    std::string identifier_;
    std::string title_;
    std::string toolTip_;
    std::shared_ptr<ui::Picture> icon_;
};

} // namespace vistrel
