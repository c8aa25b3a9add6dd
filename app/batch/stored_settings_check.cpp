#include "app/batch/stored_settings_check.h"

#include <cmath>

#include "foundation/launch_setup.h"
#include "foundation/shortcuts.h"
#include "platform/core/user_notices.h"
#include "platform/ui/number_formatter.h"
#include "platform/ui/pop_up_button.h"
#include "platform/ui/radio_group.h"

namespace vistrel {

namespace {

// Whether the number is a whole one within [0, count).
bool isIndexBelow(const std::optional<double>& number, long count)
{
    return number && *number == std::floor(*number) && *number >= 0 && *number < double(count);
}

// Whether the control can show the stored value as it is.
bool canShow(const ui::Control& control, const core::Value& value)
{
    const std::optional<double> number = value.asDouble();
    if (const auto* popUp = dynamic_cast<const ui::PopUpButton*>(&control))
        return isIndexBelow(number, popUp->numberOfItems());
    if (const auto* group = dynamic_cast<const ui::RadioGroup*>(&control))
        return isIndexBelow(number, group->numberOfRows());
    const auto formatter = control.formatter();
    if (!formatter) return true;
    if (!number || !std::isfinite(*number)) return false;
    if (!formatter->allowsFloats() && *number != std::floor(*number)) return false;
    return *number >= formatter->minimum().value_or(-INFINITY) && *number <= formatter->maximum().value_or(INFINITY);
}

}  // namespace

std::vector<std::string> putBackSettingsOutOfRange(const std::vector<BoundSetting>& settings)
{
    std::vector<const BoundSetting*> unusable;
    for (const auto& setting : settings) {
        const std::optional<core::Value> stored = kestrane::Defaults[setting.key].object();
        if (setting.control && stored && !canShow(*setting.control, *stored)) unusable.push_back(&setting);
    }
    if (unusable.empty()) return {};
    // The first time in the run, the settings as they were are kept before anything replaces them.
    static bool told = false;
    const std::string kept = told ? std::string() : kestrane::Defaults->keepStoredCopyAside();
    std::vector<std::string> putBack;
    for (const BoundSetting* setting : unusable) {
        kestrane::Defaults[setting->key] = kestrane::shippedPreference(setting->key);
        putBack.push_back(setting->name);
    }
    if (!told) {
        told = true;
        std::string names;
        for (const auto& name : putBack)
            names += (names.empty() ? "" : ", ") + name;
        core::UserNotices::post({"Some batch settings could not be used and are back to their defaults.",
                                 "The stored values were out of range or of another kind: " + names + ". " + kept});
    }
    return putBack;
}

}  // namespace vistrel
