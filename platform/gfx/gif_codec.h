// GIF files through giflib: the first frame of a file, and animated GIF89a files whose frames get their own
// palette of at most 256 colours from libimagequant. Internal to the layer.
#pragma once

#include <optional>
#include <vector>

#include "platform/core/data.h"
#include "platform/gfx/image.h"

namespace gfx::codec {

bool looksLikeGIF(const core::Data& data);
// The first frame on the logical screen, transparent where it does not cover it.
ImageRef decodeGIF(const core::Data& data);

struct GIFFrame {
    ImageRef image;
    // Hundredths of a second, 0 to 65535.
    int delay = 0;
};

// The frames, all of the first frame's size, with a NETSCAPE2.0 loop count when one is given (0 = for ever).
// Pixels with alpha below 128 are transparent.
std::optional<core::Data> encodeGIF(const std::vector<GIFFrame>& frames, std::optional<int> loopCount);

}  // namespace gfx::codec
