#include "foundation/export_session.h"

#include "platform/media/export_names.h"

#include <utility>

namespace kestrane {

namespace {

using namespace media::exportPresets;
using namespace media::fileTypes;

// The preset table, in its row order (which is also the rank order).
const std::vector<std::pair<std::string, std::string>>& presetNames()
{
    static const std::vector<std::pair<std::string, std::string>> names = {
        {AVAssetExportPresetPassthrough, "Passthrough"},
        {AVAssetExportPresetLowQuality, "Low Quality"},
        {AVAssetExportPresetMediumQuality, "Medium Quality"},
        {AVAssetExportPresetHighestQuality, "Highest Quality"},
        {AVAssetExportPresetLowQuality_16x9, "Low Quality 16x9"},
        {AVAssetExportPresetMediumQuality_16x9, "Medium Quality 16x9"},
        {AVAssetExportPreset640x480, "640 x 480"},
        {AVAssetExportPreset960x540, "960 x 540"},
        {AVAssetExportPreset1280x720, "1280 x 720"},
        {AVAssetExportPreset1920x1080, "1920 x 1080"},
        {AVAssetExportPreset3840x2160, "3840 x 2160"},
        {AVAssetExportPresetAppleM4A, "M4A"},
        {AVAssetExportPresetAppleM4V480pSD, "M4V 480p SD"},
        {AVAssetExportPresetAppleM4V720pHD, "M4V 720p HD"},
        {AVAssetExportPresetAppleM4V1080pHD, "M4V 1080p HD"},
        {AVAssetExportPresetAppleM4VWiFi, "M4V WiFi"},
        {AVAssetExportPresetAppleM4ViPod, "M4V iPod"},
        {AVAssetExportPresetAppleM4VCellular, "M4V Cellular"},
        {AVAssetExportPresetAppleM4VAppleTV, "M4V AppleTV"},
        {AVAssetExportPresetAppleProRes422LPCM, "Pro Res422 LPCM"},
    };
    return names;
}

const std::vector<std::pair<std::string, std::string>>& fileExtensions()
{
    static const std::vector<std::pair<std::string, std::string>> extensions = {
        {AVFileTypeAIFC, "aifc"},
        {AVFileTypeAIFF, "aif"},
        {AVFileTypeCoreAudioFormat, "caf"},
        {AVFileTypeAppleM4V, "m4v"},
        {AVFileTypeMPEG4, "mp4"},
        {AVFileTypeAppleM4A, "m4a"},
        {AVFileTypeQuickTimeMovie, "mov"},
        {AVFileTypeWAVE, "wav"},
        {AVFileTypeAMR, "amr"},
        {AVFileTypeAC3, "ac3"},
        {AVFileTypeMPEGLayer3, "mp3"},
        {AVFileTypeSunAU, "au"},
    };
    return extensions;
}

std::size_t rankOf(const std::string& preset)
{
    const auto& names = presetNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].first == preset) return i;
    return 0;
}

std::optional<std::string> lookUp(const std::vector<std::pair<std::string, std::string>>& table, const std::string& key)
{
    for (const auto& [name, value] : table)
        if (name == key) return value;
    return std::nullopt;
}

}  // namespace

std::vector<std::string> AssetExportSession::orderedPresets(const std::vector<std::string>& presets)
{
    std::vector<std::string> result;
    for (const std::string& preset : presets) {
        std::size_t rank = rankOf(preset);
        auto at = result.begin();
        while (at != result.end() && rankOf(*at) <= rank)
            ++at;
        result.insert(at, preset);
    }
    return result;
}

std::optional<std::string> AssetExportSession::displayedName(const std::string& preset)
{
    return lookUp(presetNames(), preset);
}

std::optional<std::string> AssetExportSession::fileExtension(const std::string& fileType)
{
    return lookUp(fileExtensions(), fileType);
}

}  // namespace kestrane
