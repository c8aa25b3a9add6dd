// The application's vocabulary shared through the user defaults and the notification centre: the defaults
// keys, the names of the notifications posted by the snaps model and the document, and the keys of their
// user info. Every reader and writer spells a key through these constants. Read-only; safe from any thread.
#pragma once

#include <string>

namespace vistrel {

// Defaults keys read or written by code.
inline const std::string EnableFlashAnimationKey = "EnableFlashAnimation";
inline const std::string EnableFlashSoundKey = "EnableFlashSound";
inline const std::string TimeLapseIntervalKey = "TimeLapseInterval";
inline const std::string TimeLapseMaxSizeKey = "TimeLapseMaxSize";
inline const std::string PreferredImageFormatKey = "PreferredImageFormat";
inline const std::string BatchOutputMarkupsKey = "BatchOutputMarkups";
inline const std::string BatchManagerConcurrentCountKey = "BatchManagerConcurrentCount";
inline const std::string BatchAlertUserTypeKey = "BatchAlertUserType";
// The folder the last movie open panel was showing when the user chose.
inline const std::string LastOpenFolderKey = "LastOpenFolder";

// Defaults keys kept for the interface's bindings and the launch bookkeeping.
inline const std::string LaunchesCountKey = "LaunchesCount";
inline const std::string AutoSnapsCountKey = "AutoSnapsCount";
inline const std::string BatchSplitterModeKey = "BatchSplitterMode";
inline const std::string BatchEverySecondsKey = "BatchEverySeconds";
inline const std::string BatchEveryFramesKey = "BatchEveryFrames";
inline const std::string BatchNbFramesKey = "BatchNbFrames";
inline const std::string BatchMaxSizeKey = "BatchMaxSize";
inline const std::string BatchImageFormatKey = "BatchImageFormat";
inline const std::string BatchFileErrorHandlerKey = "BatchFileErrorHandler";
inline const std::string BatchSnapErrorHandlerKey = "BatchSnapErrorHandler";
inline const std::string BatchShowsNotificationKey = "BatchShowsNotification";

// The coder key of a document's restored snaps, and a cell identifier.
inline const std::string RestorableSnapsKey = "RestorableSnaps";
inline const std::string SnapsGridCellViewIdentifier = "SnapsGridCellViewIdentifier";

// User-info keys of the snaps manager's notifications.
inline const std::string SnapsItemsKey = "SnapsItemsKey";
inline const std::string SnapsIndexesKey = "SnapsIndexesKey";

// Notification names, posted on the main thread.
inline const std::string SnapsManagerDidAppendItemsNotification = "SnapsManagerDidAppendItemsNotification";
inline const std::string SnapsManagerDidRemoveItemsNotification = "SnapsManagerDidRemoveItemsNotification";
inline const std::string SnapsManagerDidChangeSelectionNotification = "SnapsManagerDidChangeSelectionNotification";
inline const std::string DocumentDidLoadNotification = "DocumentDidLoadNotification";
// Posted by a document once it has closed (object: the document), so that the program, which cannot stay
// without a window here, shows the drop window again.
inline const std::string DocumentDidCloseNotification = "DocumentDidCloseNotification";

// The same names through getters.
const std::string& snapsManagerDidAppendItemsNotification();
const std::string& snapsManagerDidRemoveItemsNotification();
const std::string& snapsManagerDidChangeSelectionNotification();
const std::string& documentDidLoadNotification();

}  // namespace vistrel
