#include "numerics/point_geometry.h"

#include <cmath>

#include "numerics/real_number.h"

namespace kestrane {

gfx::Point Point::square(double v) { return {v, v}; }

bool overlap(const gfx::Point& p, const gfx::Point& q, double tolerance)
{
    return overlap(p.x, q.x, tolerance) && overlap(p.y, q.y, tolerance);
}

bool isSimilarTo(const gfx::Point& p, const gfx::Point& q, int places)
{
    return isSimilarTo(p.x, q.x, places) && isSimilarTo(p.y, q.y, places);
}

double distanceFromPoint(const gfx::Point& p, const gfx::Point& q) { return std::hypot(p.x - q.x, p.y - q.y); }
double dotMult(const gfx::Point& p, const gfx::Point& q) { return p.x * q.x + p.y * q.y; }
gfx::Point middle(const gfx::Point& p) { return {p.x / 2, p.y / 2}; }
double length(const gfx::Point& p) { return std::hypot(p.x, p.y); }
double xyRatio(const gfx::Point& p) { return p.x / p.y; }
double yxRatio(const gfx::Point& p) { return p.y / p.x; }
double min(const gfx::Point& p) { return p.x < p.y ? p.x : p.y; }
double max(const gfx::Point& p) { return p.y <= p.x ? p.x : p.y; }
gfx::Point withZeroX(const gfx::Point& p) { return {0, p.y}; }
gfx::Point withZeroY(const gfx::Point& p) { return {p.x, 0}; }
gfx::Point withX(const gfx::Point& p, double x) { return {x, p.y}; }
gfx::Point withY(const gfx::Point& p, double y) { return {p.x, y}; }
gfx::Point byAddingX(const gfx::Point& p, double dx) { return {p.x + dx, p.y}; }
gfx::Point byAddingY(const gfx::Point& p, double dy) { return {p.x, p.y + dy}; }
gfx::Point abs(const gfx::Point& p) { return {std::fabs(p.x), std::fabs(p.y)}; }
void absInPlace(gfx::Point& p) { p = abs(p); }
gfx::Point floor(const gfx::Point& p) { return {std::floor(p.x), std::floor(p.y)}; }
void floorInPlace(gfx::Point& p) { p = floor(p); }
gfx::Point ceil(const gfx::Point& p) { return {std::ceil(p.x), std::ceil(p.y)}; }
void ceilInPlace(gfx::Point& p) { p = ceil(p); }
gfx::Point round(const gfx::Point& p) { return {std::round(p.x), std::round(p.y)}; }
void roundInPlace(gfx::Point& p) { p = round(p); }
gfx::Point round(const gfx::Point& p, int places) { return {round(p.x, places), round(p.y, places)}; }
void roundInPlace(gfx::Point& p, int places) { p = round(p, places); }

gfx::Point unitScale(const gfx::Point& p, double length)
{
    double h = std::hypot(p.x, p.y);
    if (h == 0) return p;
    return {p.x * length / h, p.y * length / h};
}

gfx::Size size(const gfx::Point& p) { return {p.x, p.y}; }
gfx::Point invertedPoint(const gfx::Point& p) { return {p.y, p.x}; }

gfx::Point operator+(const gfx::Point& p) { return p; }
gfx::Point operator-(const gfx::Point& p) { return {-p.x, -p.y}; }
gfx::Point operator+(const gfx::Point& p, const gfx::Point& q) { return {p.x + q.x, p.y + q.y}; }
gfx::Point operator-(const gfx::Point& p, const gfx::Point& q) { return {p.x - q.x, p.y - q.y}; }
gfx::Point operator+(const gfx::Point& p, double s) { return {p.x + s, p.y + s}; }
gfx::Point operator+(double s, const gfx::Point& p) { return {s + p.x, s + p.y}; }
gfx::Point operator-(const gfx::Point& p, double s) { return {p.x - s, p.y - s}; }
gfx::Point operator-(double s, const gfx::Point& p) { return {s - p.x, s - p.y}; }
gfx::Point operator*(const gfx::Point& p, double s) { return {p.x * s, p.y * s}; }
gfx::Point operator*(double s, const gfx::Point& p) { return {s * p.x, s * p.y}; }
gfx::Point operator/(const gfx::Point& p, double s) { return {p.x / s, p.y / s}; }
gfx::Point& operator+=(gfx::Point& p, const gfx::Point& q) { return p = p + q; }
gfx::Point& operator-=(gfx::Point& p, const gfx::Point& q) { return p = p - q; }
gfx::Point& operator+=(gfx::Point& p, double s) { return p = p + s; }
gfx::Point& operator-=(gfx::Point& p, double s) { return p = p - s; }
gfx::Point& operator*=(gfx::Point& p, double s) { return p = p * s; }
gfx::Point& operator/=(gfx::Point& p, double s) { return p = p / s; }

}  // namespace kestrane
