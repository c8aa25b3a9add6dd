#include "foundation/mirrored_images.h"

namespace kestrane {

gfx::TransformedImage horizontallyMirrored(const gfx::TransformedImage& image)
{
    const gfx::Rect& e = image.extent;
    return applying(image, {-1, 0, 0, 1, e.minX() + e.maxX(), 0});
}

gfx::TransformedImage verticallyMirrored(const gfx::TransformedImage& image)
{
    const gfx::Rect& e = image.extent;
    return applying(image, {1, 0, 0, -1, 0, e.minY() + e.maxY()});
}

}  // namespace kestrane
