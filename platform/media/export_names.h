// The names of movie export presets and of media file types, as the platform spells them (stored in
// preferences and passed between libraries, so the texts are fixed).
#pragma once

namespace media {

namespace exportPresets {
inline constexpr const char* AVAssetExportPresetPassthrough = "AVAssetExportPresetPassthrough";
inline constexpr const char* AVAssetExportPresetLowQuality = "AVAssetExportPresetLowQuality";
inline constexpr const char* AVAssetExportPresetMediumQuality = "AVAssetExportPresetMediumQuality";
inline constexpr const char* AVAssetExportPresetHighestQuality = "AVAssetExportPresetHighestQuality";
inline constexpr const char* AVAssetExportPresetLowQuality_16x9 = "AVAssetExportPresetLowQuality_16x9";
inline constexpr const char* AVAssetExportPresetMediumQuality_16x9 = "AVAssetExportPresetMediumQuality_16x9";
inline constexpr const char* AVAssetExportPreset640x480 = "AVAssetExportPreset640x480";
inline constexpr const char* AVAssetExportPreset960x540 = "AVAssetExportPreset960x540";
inline constexpr const char* AVAssetExportPreset1280x720 = "AVAssetExportPreset1280x720";
inline constexpr const char* AVAssetExportPreset1920x1080 = "AVAssetExportPreset1920x1080";
inline constexpr const char* AVAssetExportPreset3840x2160 = "AVAssetExportPreset3840x2160";
inline constexpr const char* AVAssetExportPresetAppleM4A = "AVAssetExportPresetAppleM4A";
inline constexpr const char* AVAssetExportPresetAppleM4V480pSD = "AVAssetExportPresetAppleM4V480pSD";
inline constexpr const char* AVAssetExportPresetAppleM4V720pHD = "AVAssetExportPresetAppleM4V720pHD";
inline constexpr const char* AVAssetExportPresetAppleM4V1080pHD = "AVAssetExportPresetAppleM4V1080pHD";
inline constexpr const char* AVAssetExportPresetAppleM4VWiFi = "AVAssetExportPresetAppleM4VWiFi";
inline constexpr const char* AVAssetExportPresetAppleM4ViPod = "AVAssetExportPresetAppleM4ViPod";
inline constexpr const char* AVAssetExportPresetAppleM4VCellular = "AVAssetExportPresetAppleM4VCellular";
inline constexpr const char* AVAssetExportPresetAppleM4VAppleTV = "AVAssetExportPresetAppleM4VAppleTV";
inline constexpr const char* AVAssetExportPresetAppleProRes422LPCM = "AVAssetExportPresetAppleProRes422LPCM";
}  // namespace exportPresets

namespace fileTypes {
inline constexpr const char* AVFileTypeAIFC = "public.aifc-audio";
inline constexpr const char* AVFileTypeAIFF = "public.aiff-audio";
inline constexpr const char* AVFileTypeCoreAudioFormat = "com.apple.coreaudio-format";
inline constexpr const char* AVFileTypeAppleM4V = "com.apple.m4v-video";
inline constexpr const char* AVFileTypeMPEG4 = "public.mpeg-4";
inline constexpr const char* AVFileTypeAppleM4A = "com.apple.m4a-audio";
inline constexpr const char* AVFileTypeQuickTimeMovie = "com.apple.quicktime-movie";
inline constexpr const char* AVFileTypeWAVE = "com.microsoft.waveform-audio";
inline constexpr const char* AVFileTypeAMR = "org.3gpp.adaptive-multi-rate-audio";
inline constexpr const char* AVFileTypeAC3 = "public.ac3-audio";
inline constexpr const char* AVFileTypeMPEGLayer3 = "public.mp3";
inline constexpr const char* AVFileTypeSunAU = "public.au-audio";
}  // namespace fileTypes

}  // namespace media
