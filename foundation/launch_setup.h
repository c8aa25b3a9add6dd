// The launch-time bookkeeping of the user defaults: the version number, the launch count, the first-launch and
// update dates, and the preferences brought up to date from the main bundle's "DefaultsPreferences.plist"
// (the default of every preference) and "DefaultsUpdater.plist" (an update code per preference: 1 overwrites
// on a version increase, 0 or none fills in only a missing value, any other leaves the key to the fill-in).
// The values go into the user's own store. Runs on the caller's thread, once per launch before any window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/date.h"
#include "platform/core/user_defaults.h"

namespace kestrane {

// "LaunchesCount"; 0 when absent or not a number.
std::int64_t launchesCount(const std::shared_ptr<core::UserDefaults>& defaults);
// "DidUpdatedVersion"; false when absent or not a number.
bool didUpdateVersion(const std::shared_ptr<core::UserDefaults>& defaults);
std::optional<core::Date> firstLaunchDate(const std::shared_ptr<core::UserDefaults>& defaults);
std::optional<core::Date> updateLaunchDate(const std::shared_ptr<core::UserDefaults>& defaults);

// Records this launch: stores the main bundle's version number, counts the launch, stamps the first-launch
// date, and on a higher version (the first launch included) applies the update codes and stamps the update
// date; then fills in every preference that has no value.
void setup(const std::shared_ptr<core::UserDefaults>& defaults);
// Applies the update codes to the store.
void updatePreferences(const std::shared_ptr<core::UserDefaults>& defaults);
// Gives every preference of the preferences file that has no value the file's value.
void guardPreferences(const std::shared_ptr<core::UserDefaults>& defaults);
// The value the preferences file gives the preference; none when it gives none (or cannot be read).
std::optional<core::Value> shippedPreference(const std::string& key);
// Resets every preference of the preferences file to the file's value; other keys are not touched.
void restorePreferences(const std::shared_ptr<core::UserDefaults>& defaults);

}  // namespace kestrane
