#include "numerics/line.h"

#include <cmath>

namespace kestrane {

Line Line::through(const gfx::Point& p1, const gfx::Point& p2)
{
    double d = std::hypot(p1.y - p2.y, p2.x - p1.x);
    if (d == 0) return {0, 0, 0};
    return {(p1.y - p2.y) / d, (p2.x - p1.x) / d, (p1.x * p2.y - p1.y * p2.x) / d};
}

std::optional<gfx::Point> Line::intersects(const Line& other) const
{
    double d = a * other.b - other.a * b;
    if (d == 0) return std::nullopt;
    return gfx::Point{(b * other.c - other.b * c) / d, (other.a * c - a * other.c) / d};
}

}  // namespace kestrane
