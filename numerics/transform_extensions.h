// In-place steps on an affine transform; each new step applies to points before the transform's own.
#pragma once

#include "platform/gfx/affine_transform.h"

namespace kestrane {

void translateBy(gfx::AffineTransform& t, double x, double y);
// t becomes t followed by other.
void concate(gfx::AffineTransform& t, const gfx::AffineTransform& other);
// Radians, counter-clockwise in y-up coordinates.
void rotate(gfx::AffineTransform& t, double angle);
void scale(gfx::AffineTransform& t, double s);
void scaleBy(gfx::AffineTransform& t, double x, double y);

}  // namespace kestrane
