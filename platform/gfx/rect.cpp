#include "platform/gfx/rect.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace gfx {

Rect Rect::null()
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    return Rect(inf, inf, 0, 0);
}

Rect Rect::infinite() { return Rect(-DBL_MAX / 2, -DBL_MAX / 2, DBL_MAX, DBL_MAX); }

double Rect::minX() const { return size.width < 0 ? origin.x + size.width : origin.x; }
double Rect::maxX() const { return size.width < 0 ? origin.x : origin.x + size.width; }
double Rect::midX() const { return minX() + width() / 2; }
double Rect::minY() const { return size.height < 0 ? origin.y + size.height : origin.y; }
double Rect::maxY() const { return size.height < 0 ? origin.y : origin.y + size.height; }
double Rect::midY() const { return minY() + height() / 2; }
double Rect::width() const { return std::fabs(size.width); }
double Rect::height() const { return std::fabs(size.height); }

Rect Rect::standardized() const
{
    if (isNull()) return null();
    return Rect(minX(), minY(), width(), height());
}

bool Rect::isNull() const
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    return origin.x == inf || origin.y == inf;
}

bool Rect::isEmpty() const { return isNull() || size.width == 0 || size.height == 0; }

Rect inset(const Rect& r, double dx, double dy)
{
    if (r.isNull()) return Rect::null();
    Rect s = r.standardized();
    Rect result(s.origin.x + dx, s.origin.y + dy, s.size.width - 2 * dx, s.size.height - 2 * dy);
    if (result.size.width < 0 || result.size.height < 0) return Rect::null();
    return result;
}

Rect offset(const Rect& r, double dx, double dy)
{
    if (r.isNull()) return Rect::null();
    return Rect(r.origin.x + dx, r.origin.y + dy, r.size.width, r.size.height);
}

Rect integral(const Rect& r)
{
    if (r.isNull()) return Rect::null();
    double x = std::floor(r.minX());
    double y = std::floor(r.minY());
    return Rect(x, y, std::ceil(r.maxX()) - x, std::ceil(r.maxY()) - y);
}

Rect intersection(const Rect& a, const Rect& b)
{
    if (a.isNull() || b.isNull()) return Rect::null();
    double x1 = std::max(a.minX(), b.minX());
    double x2 = std::min(a.maxX(), b.maxX());
    double y1 = std::max(a.minY(), b.minY());
    double y2 = std::min(a.maxY(), b.maxY());
    if (x2 < x1 || y2 < y1) return Rect::null();
    return Rect(x1, y1, x2 - x1, y2 - y1);
}

Rect unionOf(const Rect& a, const Rect& b)
{
    if (a.isNull()) return b.standardized();
    if (b.isNull()) return a.standardized();
    double x1 = std::min(a.minX(), b.minX());
    double y1 = std::min(a.minY(), b.minY());
    return Rect(x1, y1, std::max(a.maxX(), b.maxX()) - x1, std::max(a.maxY(), b.maxY()) - y1);
}

bool intersects(const Rect& a, const Rect& b) { return !intersection(a, b).isEmpty(); }

bool contains(const Rect& r, const Point& p)
{
    if (r.isNull()) return false;
    return r.minX() <= p.x && p.x < r.maxX() && r.minY() <= p.y && p.y < r.maxY();
}

bool contains(const Rect& r, const Rect& inner)
{
    if (r.isNull()) return false;
    if (inner.isNull()) return true;
    return r.minX() <= inner.minX() && inner.maxX() <= r.maxX() && r.minY() <= inner.minY() && inner.maxY() <= r.maxY();
}

}  // namespace gfx
