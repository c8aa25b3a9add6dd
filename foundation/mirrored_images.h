// Mirrored copies of a placed image: flipped across the vertical or horizontal middle of its extent, so the
// extent stays where it was.
#pragma once

#include "platform/gfx/transformed_image.h"

namespace kestrane {

gfx::TransformedImage horizontallyMirrored(const gfx::TransformedImage& image);
gfx::TransformedImage verticallyMirrored(const gfx::TransformedImage& image);

}  // namespace kestrane
