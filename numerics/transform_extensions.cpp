#include "numerics/transform_extensions.h"

namespace kestrane {

void translateBy(gfx::AffineTransform& t, double x, double y) { t = gfx::translated(t, x, y); }
void concate(gfx::AffineTransform& t, const gfx::AffineTransform& other) { t = gfx::concat(t, other); }
void rotate(gfx::AffineTransform& t, double angle) { t = gfx::rotated(t, angle); }
void scale(gfx::AffineTransform& t, double s) { t = gfx::scaled(t, s, s); }
void scaleBy(gfx::AffineTransform& t, double x, double y) { t = gfx::scaled(t, x, y); }

}  // namespace kestrane
