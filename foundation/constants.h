// The framework's string constants: Info.plist keys, user-defaults keys and the preferences window's
// identifiers. Where a constant's name and value differ, the value is what is stored.
#pragma once

namespace kestrane {

// Info.plist keys.
inline constexpr char BundleNameKey[] = "CFBundleName";
inline constexpr char BundleVersionKey[] = "CFBundleVersion";
inline constexpr char BundleAutosaveKey[] = "Autosave";
inline constexpr char BundleAppStoreKey[] = "AppStore";
inline constexpr char BundleWebsiteKey[] = "Website";
inline constexpr char BundleSupportMailKey[] = "SupportMail";
inline constexpr char BundleCompagnyAppStoreKey[] = "CompagnyAppStore";
inline constexpr char BundleCompagnyWebsiteKey[] = "CompagnyWebsite";
inline constexpr char BundleCompagnyMailKey[] = "CompagnyMail";
inline constexpr char BundleDocumentTypesKey[] = "CFBundleDocumentTypes";
inline constexpr char BundleTypeExtensionsKey[] = "CFBundleTypeExtensions";

// The property lists of the main bundle that hold the preferences' defaults and their update codes.
inline constexpr char DefaultsPreferencesFileTitle[] = "DefaultsPreferences";
inline constexpr char DefaultsUpdaterFileTitle[] = "DefaultsUpdater";

// Launch bookkeeping keys.
inline constexpr char VersionNumberKey[] = "VersionNumber";
inline constexpr char DidUpdatedVersionKey[] = "DidUpdatedVersion";
inline constexpr char LaunchesCountKey[] = "LaunchesCount";
inline constexpr char FirstLaunchDateKey[] = "FirstLaunchDate";
inline constexpr char UpdateLaunchDateKey[] = "UpdateLaunchDate";

// App-rating prompt keys.
inline constexpr char RaterWakeUpDateKey[] = "RaterWakeUpDateKey";
inline constexpr char RaterRatedVersionKey[] = "RaterVersionWasRated";

// Preferences window identifiers.
inline constexpr char PreferencesPanelToolbarIdentifier[] = "PreferencesPanelToolbarIdentifier";
inline constexpr char PreferencesPanelSegmentedControlIdentifier[] = "PreferencesPanelSegmentedControlIdentifier";
inline constexpr char PreferencesPanelWindowFrameAutosaveName[] = "PreferencesWindowFrameAutosaveName";

}  // namespace kestrane
