#include "platform/gfx/transformed_image.h"

namespace gfx {

TransformedImage TransformedImage::of(const ImageRef& image)
{
    const Rect extent = image ? Rect(0, 0, image->width(), image->height()) : Rect::zero();
    return {image, extent, AffineTransform::identity()};
}

TransformedImage applying(const TransformedImage& image, const AffineTransform& t)
{
    return {image.image, applying(image.extent, t), concat(image.transform, t)};
}

}  // namespace gfx
