// Links from the program to its store page, its website, its maker's pages and its support address, all
// read from the main bundle's Info.plist; a missing key is reported by a printed line. Main thread only.
#pragma once

#include <string>

#include "platform/ui/workspace.h"

namespace kestrane {

// "AppStore"; prints "App appstore page is undefined" without it.
void openAppStorePage(ui::Workspace& workspace);
// "Website"; prints "App website page is undefined" without it.
void openAppWebsitePage(ui::Workspace& workspace);
// "CompagnyAppStore"; prints "Compagny appstore page is undefined" without it.
void openCompagnyAppStorePage(ui::Workspace& workspace);
// "CompagnyWebsite"; prints "Compagny website page is undefined" without it.
void openCompagnyWebsitePage(ui::Workspace& workspace);
// A new mail to "SupportMail" about the program, with an empty body; prints a line without the key.
void contactCustomerSupport(ui::Workspace& workspace);
// A new mail to the one address, in the desktop's mail program; nothing when there is no mail service.
void contactMailAddress(ui::Workspace& workspace, const std::string& address, const std::string& subject,
                        const std::string& message);

}  // namespace kestrane
