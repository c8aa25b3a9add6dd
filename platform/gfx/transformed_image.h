// An image with a transform that places it in a plane, and the extent it covers there (the bounding box of
// its pixel rectangle under the transform). A value type; the pixels are shared.
#pragma once

#include "platform/gfx/affine_transform.h"
#include "platform/gfx/image.h"

namespace gfx {

struct TransformedImage {
    ImageRef image;
    Rect extent;
    AffineTransform transform;

    // The image where its pixels lie: extent (0, 0, width, height), no transform.
    static TransformedImage of(const ImageRef& image);
};

// The image moved further by t: t is applied after the image's transform, and the extent follows.
TransformedImage applying(const TransformedImage& image, const AffineTransform& t);

}  // namespace gfx
