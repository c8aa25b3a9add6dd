// Export presets and file types named for people: the displayed name of a preset, presets in their
// table's order, and the file extension of a file type.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrane {

struct AssetExportSession {
    AssetExportSession() = delete;

    // The presets reordered by their rank in the preset table (unknown ones rank first, with the
    // first known preset); a stable sort, nothing dropped.
    static std::vector<std::string> orderedPresets(const std::vector<std::string>& presets);
    // "640 x 480" for the 640 × 480 preset; nullopt for an unknown preset.
    static std::optional<std::string> displayedName(const std::string& preset);
    // "mov" for the QuickTime movie type; nullopt for an unknown type.
    static std::optional<std::string> fileExtension(const std::string& fileType);
};

}  // namespace kestrane
