#include "platform/gfx/affine_transform.h"

#include <algorithm>
#include <cmath>

namespace gfx {

AffineTransform AffineTransform::rotation(double radians)
{
    double cos = std::cos(radians);
    double sin = std::sin(radians);
    return {cos, sin, -sin, cos, 0, 0};
}

AffineTransform AffineTransform::scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }

AffineTransform AffineTransform::translation(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }

AffineTransform concat(const AffineTransform& t1, const AffineTransform& t2)
{
    return {t1.a * t2.a + t1.b * t2.c, t1.a * t2.b + t1.b * t2.d,           t1.c * t2.a + t1.d * t2.c,
            t1.c * t2.b + t1.d * t2.d, t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

AffineTransform rotated(const AffineTransform& t, double radians)
{
    return concat(AffineTransform::rotation(radians), t);
}

AffineTransform scaled(const AffineTransform& t, double sx, double sy)
{
    return concat(AffineTransform::scaling(sx, sy), t);
}

AffineTransform translated(const AffineTransform& t, double tx, double ty)
{
    return concat(AffineTransform::translation(tx, ty), t);
}

AffineTransform inverted(const AffineTransform& t)
{
    double det = t.a * t.d - t.b * t.c;
    if (det == 0 || !std::isfinite(det)) return t;
    return {
        t.d / det, -t.b / det, -t.c / det, t.a / det, (t.c * t.ty - t.d * t.tx) / det, (t.b * t.tx - t.a * t.ty) / det};
}

Point applying(const Point& p, const AffineTransform& t)
{
    return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

Size applying(const Size& s, const AffineTransform& t)
{
    return {t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height};
}

Rect applying(const Rect& r, const AffineTransform& t)
{
    if (r.isNull()) return Rect::null();
    const Point corners[] = {applying(Point{r.minX(), r.minY()}, t), applying(Point{r.maxX(), r.minY()}, t),
                             applying(Point{r.minX(), r.maxY()}, t), applying(Point{r.maxX(), r.maxY()}, t)};
    double x1 = corners[0].x, x2 = corners[0].x, y1 = corners[0].y, y2 = corners[0].y;
    for (const Point& p : corners) {
        x1 = std::min(x1, p.x);
        x2 = std::max(x2, p.x);
        y1 = std::min(y1, p.y);
        y2 = std::max(y2, p.y);
    }
    return Rect(x1, y1, x2 - x1, y2 - y1);
}

}  // namespace gfx
