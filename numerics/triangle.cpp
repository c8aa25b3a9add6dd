#include "numerics/triangle.h"

#include <cmath>

#include "numerics/point_geometry.h"
#include "numerics/real_number.h"

namespace kestrane {

double signedArea(const gfx::Point& p, const gfx::Point& q, const gfx::Point& r)
{
    return ((r.y - p.y) * (q.x - p.x) - (r.x - p.x) * (q.y - p.y)) / 2;
}

bool Triangle::overlap(const Triangle& other, double tolerance) const
{
    return kestrane::overlap(a, other.a, tolerance) && kestrane::overlap(b, other.b, tolerance) &&
           kestrane::overlap(c, other.c, tolerance);
}

bool Triangle::isSimilarTo(const Triangle& other, int places) const
{
    return kestrane::isSimilarTo(a, other.a, places) && kestrane::isSimilarTo(b, other.b, places) &&
           kestrane::isSimilarTo(c, other.c, places);
}

bool Triangle::isPoint(int places) const
{
    return kestrane::isSimilarTo(a, b, places) && kestrane::isSimilarTo(a, c, places);
}

bool Triangle::isLine(int places) const { return std::round(signedArea() * decimalScale<double>(places)) == 0; }

Triangle::CollinearityState Triangle::collinearity(int places) const
{
    if (isPoint(places)) return CollinearityState::point;
    double area = signedArea();
    if (std::round(area * decimalScale<double>(places)) == 0) return CollinearityState::line;
    return area < 0 ? CollinearityState::clockwiseTurn : CollinearityState::counterClockwiseTurn;
}

Triangle operator+(const Triangle& t) { return t; }
Triangle operator-(const Triangle& t) { return {-t.a, -t.b, -t.c}; }
Triangle operator+(const Triangle& t, const Triangle& u) { return {t.a + u.a, t.b + u.b, t.c + u.c}; }
Triangle operator-(const Triangle& t, const Triangle& u) { return {t.a - u.a, t.b - u.b, t.c - u.c}; }
Triangle operator+(const Triangle& t, double s) { return {t.a + s, t.b + s, t.c + s}; }
Triangle operator+(double s, const Triangle& t) { return {s + t.a, s + t.b, s + t.c}; }
Triangle operator-(const Triangle& t, double s) { return {t.a - s, t.b - s, t.c - s}; }
Triangle operator-(double s, const Triangle& t) { return {s - t.a, s - t.b, s - t.c}; }
Triangle operator*(const Triangle& t, double s) { return {t.a * s, t.b * s, t.c * s}; }
Triangle operator*(double s, const Triangle& t) { return {s * t.a, s * t.b, s * t.c}; }
Triangle operator/(const Triangle& t, double s) { return {t.a / s, t.b / s, t.c / s}; }
Triangle& operator+=(Triangle& t, const Triangle& u) { return t = t + u; }
Triangle& operator-=(Triangle& t, const Triangle& u) { return t = t - u; }
Triangle& operator+=(Triangle& t, double s) { return t = t + s; }
Triangle& operator-=(Triangle& t, double s) { return t = t - s; }
Triangle& operator*=(Triangle& t, double s) { return t = t * s; }
Triangle& operator/=(Triangle& t, double s) { return t = t / s; }

}  // namespace kestrane
