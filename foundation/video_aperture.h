// The clean aperture of a video format: the picture area to show, with its origin at the bottom left
// (aperture) or at the top left (flippedAperture).
#pragma once

#include "platform/gfx/rect.h"
#include "platform/media/format_description.h"

namespace kestrane {

gfx::Rect aperture(const media::FormatDescription& description);
gfx::Rect flippedAperture(const media::FormatDescription& description);

}  // namespace kestrane
