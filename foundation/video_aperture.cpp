#include "foundation/video_aperture.h"

namespace kestrane {

gfx::Rect aperture(const media::FormatDescription& description) { return description.cleanAperture(false); }

gfx::Rect flippedAperture(const media::FormatDescription& description) { return description.cleanAperture(true); }

}  // namespace kestrane
