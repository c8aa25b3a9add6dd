// What a document is doing: taking a snap, idle with the user selecting snaps, exporting, restoring snaps
// after a relaunch, generating a series, or still opening its movie (a file slow to answer). Exporting,
// restoring and generating are busy: the window refuses to close and the snap command is off; a document
// still opening can be closed. A plain value with string raw values ("Snapping", "Selecting", "Exporting",
// "Restoring", "Generating", "Opening"), archivable through kestrane's string-enumeration coding.
#pragma once

#include <optional>
#include <string>
#include <type_traits>

namespace vistrel {

enum class DocumentState { snapping, selecting, exporting, restoring, generating, opening };

std::string rawValue(DocumentState state);
// The state whose raw value is exactly `raw` (case-sensitive); nullopt for any other text.
std::optional<DocumentState> fromRawValue(std::type_identity<DocumentState>, const std::string& raw);
// Exporting, restoring and generating.
bool isBusy(DocumentState state);
// The main bundle's text for "DocumentState." + the raw value.
std::string localizedTitle(DocumentState state);

}  // namespace vistrel
