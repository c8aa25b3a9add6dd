#include "moviekit/edition_transform.h"

#include "numerics/angle_constants.h"
#include "numerics/transform_extensions.h"

namespace orvalis {

gfx::AffineTransform editionTransform(const Edition& edition, const gfx::Size& size)
{
    using kestrane::Orientation;
    const double w = size.width;
    const double h = size.height;
    auto t = gfx::AffineTransform::identity();
    switch (edition.orientation) {
    case Orientation::down:
        kestrane::rotate(t, kestrane::PI_1_1);
        kestrane::translateBy(t, -w, -h);
        break;
    case Orientation::right:
        kestrane::rotate(t, kestrane::PI_3_2);
        kestrane::translateBy(t, -w, 0);
        break;
    case Orientation::left:
        kestrane::rotate(t, kestrane::PI_1_2);
        kestrane::translateBy(t, 0, -h);
        break;
    case Orientation::up:
        break;
    }
    if (edition.horizontalFlipped) {
        kestrane::translateBy(t, w, 0);
        kestrane::scaleBy(t, -1, 1);
    }
    if (edition.verticalFlipped) {
        kestrane::translateBy(t, 0, h);
        kestrane::scaleBy(t, 1, -1);
    }
    return t;
}

} // namespace orvalis
