// A pane of the preferences window: a view controller's view with an identifier, a title, an icon and a tool
// tip for its toolbar item or segment. Main thread only.
#pragma once
#include "platform/ui/picture.h"
#include "platform/ui/view.h"
#include <memory>
#include <string>

namespace kestrane {

class PreferencesPanel {
public:
    virtual ~PreferencesPanel() = default;
    // The pane's content; its frame size is the size the window's content takes while it is shown.
    virtual std::shared_ptr<ui::View> view() = 0;
    // Unique among the panes of one window.
    virtual std::string preferenceIdentifier() = 0;
    virtual std::string preferenceTitle() = 0;
    virtual std::shared_ptr<ui::Picture> preferenceIcon() = 0;
    virtual std::string preferenceToolTip() = 0;
};

}  // namespace kestrane
