// Pasteboard shorthands: whether a type is there, a list of strings by type, and the files pasted or dropped.
// Main thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/url.h"
#include "platform/ui/pasteboard.h"

namespace kestrane {

// The type of promised files, which a drag offers before it writes them.
inline const std::string PBPromisedFileType = ui::PasteboardType::promisedFile;

bool containsType(const ui::Pasteboard& pasteboard, const std::string& type);
// The type's property list when it is a list of strings; nullopt for none or another shape.
std::optional<std::vector<std::string>> stringsForType(const ui::Pasteboard& pasteboard, const std::string& type);
// The paths of the files on the pasteboard, in order; empty when there are none.
std::vector<std::string> pastedFilenames(const ui::Pasteboard& pasteboard);
// The same as file URLs.
std::vector<core::Url> pastedFileURLs(const ui::Pasteboard& pasteboard);

}  // namespace kestrane
