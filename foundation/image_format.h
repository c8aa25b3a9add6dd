// The three formats images are exported in, by the raw values the settings store: png 0, jpg 1, tiff 2.
#pragma once

#include <cstdint>
#include <string>

#include "numerics/raw_value.h"

namespace kestrane {

enum class ImageFormat : std::int64_t { png = 0, jpg = 1, tiff = 2 };

// Raw values are the case indices; any other raw value gives no case.
template <>
inline constexpr int caseCount<ImageFormat> = 3;
// "png", "jpg", "tiff".
std::string fileExtension(ImageFormat format);

}  // namespace kestrane
