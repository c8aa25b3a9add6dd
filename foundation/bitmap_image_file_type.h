// Bitmap file types from file extensions, case-insensitively: png, jpg and jpeg, tiff (not tif), gif, bmp,
// and jp2 and j2k as JPEG 2000.
#pragma once

#include <optional>
#include <string>

#include "platform/core/url.h"
#include "platform/gfx/image_file_type.h"

namespace kestrane::NSBitmapImageFileType {

std::optional<gfx::BitmapFileType> fromExtension(const std::string& ext);
std::optional<gfx::BitmapFileType> fromFileURL(const core::Url& fileURL);

}  // namespace kestrane::NSBitmapImageFileType
