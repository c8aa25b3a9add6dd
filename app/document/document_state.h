// What a document is doing: taking a snap, idle with the user selecting snaps, exporting, restoring snaps
// after a relaunch, or generating a series. The last three are busy: the window refuses to close and the snap
// command is off. A plain value with string raw values ("Snapping", "Selecting", "Exporting", "Restoring",
// "Generating"), archivable through kestrane's string-enumeration coding.
#pragma once

#include <optional>
#include <string>
#include <type_traits>

namespace vistrel {

enum class DocumentState { snapping, selecting, exporting, restoring, generating };

std::string rawValue(DocumentState state);
// The state whose raw value is exactly `raw` (case-sensitive); nullopt for any other text.
std::optional<DocumentState> fromRawValue(std::type_identity<DocumentState>, const std::string& raw);
// Exporting, restoring and generating.
bool isBusy(DocumentState state);
// The main bundle's text for "DocumentState." + the raw value.
std::string localizedTitle(DocumentState state);

}  // namespace vistrel
