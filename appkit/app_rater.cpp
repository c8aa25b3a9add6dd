#include "appkit/app_rater.h"

#include "appkit/workspace_extensions.h"
#include "foundation/date_utilities.h"
#include "foundation/kestrane_kit.h"
#include "foundation/launch_setup.h"
#include "foundation/shortcuts.h"
#include "platform/ui/alert.h"

namespace kestrane {

core::Date AppRater::wakeUpDate() { return Defaults[RaterWakeUpDateKey].date().value_or(Date::yesterday()); }

bool AppRater::versionWasRated()
{
    const auto rated = Defaults[RaterRatedVersionKey].doubleValue();
    return rated && *rated == versionNumber(*MB.get());
}

bool AppRater::shouldPropose()
{
    if (didUpdateVersion(Defaults) || versionWasRated()) return false;
    return Date::now() >= wakeUpDate();
}

void AppRater::showWindowIfNeed()
{
    if (shouldPropose()) showWindow();
}

void AppRater::showWindow()
{
    const std::string appName = name(*MB.get());
    auto alert = core::make<ui::Alert>();
    alert->setMessageText(KestraneKit::local("ApplicationRater.MessageTitle", appName));
    alert->setInformativeText(KestraneKit::local("ApplicationRater.MessageText", appName));
    alert->addButton(KestraneKit::local("ApplicationRater.RateButton"));
    alert->addButton(KestraneKit::local("ApplicationRater.CancelButton"));
    alert->addButton(KestraneKit::local("ApplicationRater.RemindButton"));
    switch (alert->runModal()) {
    case ui::ModalResponses::alertFirstButton:
        Defaults[RaterRatedVersionKey] = versionNumber(*MB.get());
        openAppStorePage(ui::Workspace::shared());
        break;
    case ui::ModalResponses::alertSecondButton:
        Defaults[RaterRatedVersionKey] = versionNumber(*MB.get());
        break;
    case ui::ModalResponses::alertThirdButton:
        Defaults[RaterWakeUpDateKey] = adding(Date::now(), 2);
        break;
    default:
        break;
    }
}

}  // namespace kestrane
