#include "appkit/workspace_extensions.h"

#include <optional>

#include "foundation/kestrane_kit.h"
#include "foundation/shortcuts.h"
#include "platform/core/print.h"
#include "platform/ui/sharing.h"

namespace kestrane {

namespace {

void openPage(ui::Workspace& workspace, const std::optional<core::Url>& url, const char* undefinedMessage)
{
    if (url)
        workspace.openOrTell(*url);
    else
        core::print(undefinedMessage);
}

}  // namespace

void openAppStorePage(ui::Workspace& workspace)
{
    openPage(workspace, appStoreURL(*MB.get()), "App appstore page is undefined");
}

void openAppWebsitePage(ui::Workspace& workspace)
{
    openPage(workspace, websiteURL(*MB.get()), "App website page is undefined");
}

void openCompagnyAppStorePage(ui::Workspace& workspace)
{
    openPage(workspace, compagnyAppStoreURL(*MB.get()), "Compagny appstore page is undefined");
}

void openCompagnyWebsitePage(ui::Workspace& workspace)
{
    openPage(workspace, compagnyWebsiteURL(*MB.get()), "Compagny website page is undefined");
}

void contactCustomerSupport(ui::Workspace& workspace)
{
    const auto address = supportMail(*MB.get());
    if (!address) {
        core::print("Customer support mail is undefined)");
        return;
    }
    const std::string subject = KestraneKit::local("NSWorkspace.MailSupportSubject", name(*MB.get()));
    contactMailAddress(workspace, *address, subject, "");
}

void contactMailAddress(ui::Workspace&, const std::string& address, const std::string& subject,
                        const std::string& message)
{
    auto service = ui::SharingService::named(ui::SharingService::composeEmail);
    if (!service) return;
    service->setRecipients({address});
    service->setSubject(subject);
    service->perform({ui::SharingItem{nullptr, std::nullopt, message}});
}

}  // namespace kestrane
