#include "foundation/launch_setup.h"

#include <string>

#include "foundation/bundle_info.h"
#include "foundation/constants.h"
#include "foundation/shortcuts.h"
#include "foundation/user_defaults_proxy.h"
#include "platform/core/print.h"
#include "platform/core/property_list.h"

namespace kestrane {

namespace {

using Proxy = UserDefaults::Proxy;

// The dictionary of the main bundle's <title>.plist; prints why and gives nullopt when it cannot be had.
std::optional<core::Dictionary> loadDictionary(const std::string& title, bool numbersOnly)
{
    const std::string file = title + ".plist";
    const auto url = urlForPLISTResource(*MB.get(), title);
    if (!url) {
        core::print(file + " cannot be found");
        return std::nullopt;
    }
    const auto contents = core::PropertyList::read(*url);
    const core::Dictionary* dictionary = contents ? contents->dictionaryPointer() : nullptr;
    bool expectedKinds = dictionary != nullptr;
    if (dictionary && numbersOnly) {
        for (const auto& entry : *dictionary)
            expectedKinds = expectedKinds && entry.second.isNumber();
    }
    if (!expectedKinds) {
        core::print(file + " is corrupted and cannot be loaded");
        return std::nullopt;
    }
    return *dictionary;
}

std::optional<core::Dictionary> loadPreferencesFile() { return loadDictionary(DefaultsPreferencesFileTitle, false); }

std::optional<core::Dictionary> loadUpdaterFile() { return loadDictionary(DefaultsUpdaterFileTitle, true); }

bool hasValue(const std::shared_ptr<core::UserDefaults>& defaults, const std::string& key)
{
    return objectForKeyedSubscript(*defaults, key).has_value();
}

}  // namespace

std::int64_t launchesCount(const std::shared_ptr<core::UserDefaults>& defaults)
{
    return Proxy(defaults, LaunchesCountKey).intValue().value_or(0);
}

bool didUpdateVersion(const std::shared_ptr<core::UserDefaults>& defaults)
{
    return Proxy(defaults, DidUpdatedVersionKey).boolValue().value_or(false);
}

std::optional<core::Date> firstLaunchDate(const std::shared_ptr<core::UserDefaults>& defaults)
{
    return Proxy(defaults, FirstLaunchDateKey).date();
}

std::optional<core::Date> updateLaunchDate(const std::shared_ptr<core::UserDefaults>& defaults)
{
    return Proxy(defaults, UpdateLaunchDateKey).date();
}

void setup(const std::shared_ptr<core::UserDefaults>& defaults)
{
    const double old = Proxy(defaults, VersionNumberKey).doubleValue().value_or(0);
    const double current = versionNumber(*MB.get());
    Proxy(defaults, VersionNumberKey) = current;
    Proxy(defaults, LaunchesCountKey) += 1;
    if (Proxy(defaults, LaunchesCountKey).intValue() == 1) Proxy(defaults, FirstLaunchDateKey) = core::Date::now();
    if (current > old) {
        updatePreferences(defaults);
        guardPreferences(defaults);
        Proxy(defaults, DidUpdatedVersionKey) = true;
        Proxy(defaults, UpdateLaunchDateKey) = core::Date::now();
    } else {
        guardPreferences(defaults);
        Proxy(defaults, DidUpdatedVersionKey) = false;
    }
}

void updatePreferences(const std::shared_ptr<core::UserDefaults>& defaults)
{
    const auto preferences = loadPreferencesFile();
    if (!preferences) return;
    const auto updater = loadUpdaterFile();
    if (!updater) return;
    for (const auto& [key, value] : *preferences) {
        const core::Value* entry = updater->find(key);
        const auto code = entry ? entry->asInt() : std::nullopt;
        if (code == 1) {
            setObjectForKeyedSubscript(*defaults, key, value);
        } else if ((!code || code == 0) && !hasValue(defaults, key)) {
            setObjectForKeyedSubscript(*defaults, key, value);
        }
    }
}

void guardPreferences(const std::shared_ptr<core::UserDefaults>& defaults)
{
    const auto preferences = loadPreferencesFile();
    if (!preferences) return;
    for (const auto& [key, value] : *preferences) {
        if (!hasValue(defaults, key)) setObjectForKeyedSubscript(*defaults, key, value);
    }
}

std::optional<core::Value> shippedPreference(const std::string& key)
{
    const auto preferences = loadPreferencesFile();
    if (!preferences) return std::nullopt;
    const core::Value* found = preferences->find(key);
    if (!found) return std::nullopt;
    return *found;
}

void restorePreferences(const std::shared_ptr<core::UserDefaults>& defaults)
{
    const auto preferences = loadPreferencesFile();
    if (!preferences) return;
    for (const auto& [key, value] : *preferences)
        setObjectForKeyedSubscript(*defaults, key, value);
}

}  // namespace kestrane
