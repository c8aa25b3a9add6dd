// TIFF files through libtiff: the first directory of a file, and one image written with a compression
// code (1 none, 5 LZW, ...) as 8-bit RGB (opaque) or RGBA with straight alpha. Internal to the layer.
#pragma once

#include <optional>

#include "platform/core/data.h"
#include "platform/gfx/image.h"

namespace gfx::codec {

bool looksLikeTIFF(const core::Data& data);
ImageRef decodeTIFF(const core::Data& data);
std::optional<core::Data> encodeTIFF(const Image& image, int compression);

}  // namespace gfx::codec
