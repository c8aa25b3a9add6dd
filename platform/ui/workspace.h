// The desktop: opening files and links in their default applications, and showing files in the file manager.
// Main thread only.
#pragma once

#include <vector>

#include "platform/core/url.h"

namespace ui {

class Workspace {
public:
    static Workspace& shared();

    // False when no application took it.
    [[nodiscard]] bool open(const core::Url& url);
    // Opens it; when no application takes it, the user is told so in an alert.
    void openOrTell(const core::Url& url);
    // Shows the files selected in the file manager (over D-Bus), else opens the folder of the first (see
    // openOrTell).
    void activateFileViewerSelecting(const std::vector<core::Url>& urls);

private:
    Workspace() = default;
};

}  // namespace ui
