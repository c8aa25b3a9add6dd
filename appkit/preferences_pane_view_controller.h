// A pane of the preferences window made by a view controller: the controller's view, shown under the
// identifier, title, icon and tool tip given when it is made. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "appkit/preferences_panel.h"
#include "platform/ui/view_controller.h"

namespace kestrane {

class PreferencesPaneViewController : public ui::ViewController, public PreferencesPanel {
public:
    std::shared_ptr<ui::View> view() override { return ViewController::view(); }
    std::string preferenceIdentifier() override { return identifier_; }
    std::string preferenceTitle() override { return title_; }
    std::shared_ptr<ui::Picture> preferenceIcon() override { return icon_; }
    std::string preferenceToolTip() override { return toolTip_; }

protected:
    PreferencesPaneViewController(const std::string& nibName, std::string identifier, std::string title,
                                  std::string toolTip, std::shared_ptr<ui::Picture> icon)
        : ui::ViewController(nibName), identifier_(std::move(identifier)), title_(std::move(title)),
          toolTip_(std::move(toolTip)), icon_(std::move(icon))
    {
    }

private:
    std::string identifier_;
    std::string title_;
    std::string toolTip_;
    std::shared_ptr<ui::Picture> icon_;
};

}  // namespace kestrane
