// JPEG files through libjpeg-turbo: decoding to opaque pixels, and encoding at a quality from 0 to 100.
// Internal to the layer.
#pragma once

#include <optional>

#include "platform/core/data.h"
#include "platform/gfx/image.h"

namespace gfx::codec {

bool looksLikeJPEG(const core::Data& data);
ImageRef decodeJPEG(const core::Data& data);
// Transparent pixels are flattened onto black, as their premultiplied values already are.
std::optional<core::Data> encodeJPEG(const Image& image, int quality);

}  // namespace gfx::codec
