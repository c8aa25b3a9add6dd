// A 2-D affine transform: (x, y) maps to (a·x + c·y + tx, b·x + d·y + ty).
#pragma once

#include "platform/gfx/rect.h"

namespace gfx {

struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static AffineTransform identity() { return {}; }
    // Counter-clockwise by the angle in radians (y-up), from std::cos and std::sin, never snapped.
    static AffineTransform rotation(double radians);
    static AffineTransform scaling(double sx, double sy);
    static AffineTransform translation(double tx, double ty);

    bool isIdentity() const { return *this == identity(); }

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

// t1 applied first, then t2.
AffineTransform concat(const AffineTransform& t1, const AffineTransform& t2);
// The new step is applied before t: rotated(t, θ) is concat(rotation(θ), t).
AffineTransform rotated(const AffineTransform& t, double radians);
AffineTransform scaled(const AffineTransform& t, double sx, double sy);
AffineTransform translated(const AffineTransform& t, double tx, double ty);
// The inverse; a transform that cannot be inverted comes back unchanged.
AffineTransform inverted(const AffineTransform& t);

Point applying(const Point& p, const AffineTransform& t);
// A size is a vector: the translation does not apply.
Size applying(const Size& s, const AffineTransform& t);
// The bounding box of the four transformed corners; the null rectangle stays null.
Rect applying(const Rect& r, const AffineTransform& t);

}  // namespace gfx
