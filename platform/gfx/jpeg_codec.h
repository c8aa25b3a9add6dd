// JPEG files through libjpeg-turbo: decoding to opaque pixels, and encoding at a quality from 0 to 100.
// Internal to the layer.
#pragma once

#include <optional>

#include "platform/core/data.h"
#include "platform/gfx/image.h"

namespace gfx::codec {

bool looksLikeJPEG(const core::Data& data);
ImageRef decodeJPEG(const core::Data& data);
// Transparent pixels are flattened onto black, as their premultiplied values already are. From quality 80
// up the colour keeps full resolution (4:4:4), below it is subsampled 4:2:0.
std::optional<core::Data> encodeJPEG(const Image& image, int quality);

}  // namespace gfx::codec
