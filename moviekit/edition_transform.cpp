#include "moviekit/edition_transform.h"

#include "foundation/asset_extensions.h"
#include "numerics/angle_constants.h"
#include "numerics/transform_extensions.h"

namespace orvalis {

namespace {

// The edition alone, on an upright picture of `size`.
gfx::AffineTransform editedTransform(const Edition& edition, const gfx::Size& size)
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

}  // namespace

gfx::AffineTransform yUpLinear(const gfx::AffineTransform& yDown)
{
    return {yDown.a, -yDown.b, -yDown.c, yDown.d, 0, 0};
}

gfx::AffineTransform editionTransform(const Edition& edition, const gfx::Size& size,
                                      const gfx::AffineTransform& trackTransform)
{
    const gfx::AffineTransform turn = yUpLinear(kestrane::rightAngleTurn(trackTransform));
    const gfx::Rect upright = gfx::applying(gfx::Rect{{0, 0}, size}, turn).standardized();
    const gfx::AffineTransform standUp =
        gfx::concat(turn, gfx::AffineTransform::translation(-upright.minX(), -upright.minY()));
    return gfx::concat(standUp, editedTransform(edition, upright.size));
}

}  // namespace orvalis
