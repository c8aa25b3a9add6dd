// The three formats images are exported in, by the raw values the settings store: png 0, jpg 1, tiff 2.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

namespace kestrane {

enum class ImageFormat : std::int64_t { png = 0, jpg = 1, tiff = 2 };

std::int64_t rawValue(ImageFormat format);
// Nullopt for any other raw value.
std::optional<ImageFormat> fromRawValue(std::type_identity<ImageFormat>, std::int64_t raw);
// "png", "jpg", "tiff".
std::string fileExtension(ImageFormat format);

}  // namespace kestrane
