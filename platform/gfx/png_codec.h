// PNG files through libpng: the first image of a file, and one image written as 8-bit RGB (opaque) or RGBA
// with straight alpha. Internal to the layer.
#pragma once

#include <optional>

#include "platform/core/data.h"
#include "platform/gfx/image.h"

namespace gfx::codec {

bool looksLikePNG(const core::Data& data);
ImageRef decodePNG(const core::Data& data);
std::optional<core::Data> encodePNG(const Image& image);

}  // namespace gfx::codec
