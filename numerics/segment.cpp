#include "numerics/segment.h"

#include <algorithm>
#include <cmath>

#include "numerics/point_geometry.h"
#include "numerics/real_number.h"
#include "numerics/triangle.h"

namespace kestrane {

double Segment::length() const { return std::hypot(deltaX(), deltaY()); }

gfx::Point Segment::pointAt(double t) const { return start + (end - start) * t; }

gfx::Point Segment::normal() const
{
    double l = length();
    if (l == 0) return {0, 0};
    return gfx::Point{-deltaY(), deltaX()} / l;
}

gfx::Rect Segment::bounds() const
{
    return gfx::Rect(std::min(start.x, end.x), std::min(start.y, end.y), std::fabs(deltaX()), std::fabs(deltaY()));
}

bool Segment::isEqualToSegment(const Segment& other) const { return start == other.start && end == other.end; }

bool Segment::isEqualToReversedSegment(const Segment& other) const { return other.start == end && other.end == start; }

bool Segment::overlap(const Segment& other, double tolerance) const
{
    return kestrane::overlap(start, other.start, tolerance) && kestrane::overlap(end, other.end, tolerance);
}

bool Segment::overlapReversed(const Segment& other, double tolerance) const
{
    return kestrane::overlap(start, other.end, tolerance) && kestrane::overlap(end, other.start, tolerance);
}

bool Segment::isSimilarTo(const Segment& other, int places) const
{
    return kestrane::isSimilarTo(start, other.start, places) && kestrane::isSimilarTo(end, other.end, places);
}

bool Segment::isSimilarToReversed(const Segment& other, int places) const
{
    return kestrane::isSimilarTo(start, other.end, places) && kestrane::isSimilarTo(end, other.start, places);
}

bool Segment::isPoint(int places) const { return kestrane::isSimilarTo(start, end, places); }

bool Segment::isColinearTo(const Segment& other, double tolerance) const
{
    bool vertical = std::fabs(deltaX()) <= tolerance;
    bool otherVertical = std::fabs(other.deltaX()) <= tolerance;
    if (vertical || otherVertical) return vertical && otherVertical;
    return kestrane::overlap(deltaY() / deltaX(), other.deltaY() / other.deltaX(), tolerance);
}

bool Segment::contains(const gfx::Point& p) const
{
    if (std::round(signedArea(start, end, p) * 1e6) != 0) return false;
    gfx::Rect box = bounds();
    double t = OverlapTolerance;
    return box.minX() - t <= p.x && p.x <= box.maxX() + t && box.minY() - t <= p.y && p.y <= box.maxY() + t;
}

double Segment::parameter(const gfx::Point& p) const { return kestrane::length(p - start) / length(); }

Segment::Distance Segment::distance(const gfx::Point& p) const
{
    double l = length();
    if (l == 0) return {0, 0};
    double t = ((p.x - start.x) * deltaX() + (p.y - start.y) * deltaY()) / (l * l);
    gfx::Point foot = start + (end - start) * t;
    return {distanceFromPoint(p, foot), t};
}

std::optional<gfx::Point> Segment::intersectsHorizontal(double y) const
{
    double ymin = std::min(start.y, end.y);
    double ymax = std::max(start.y, end.y);
    if (y < ymin - OverlapTolerance || y > ymax + OverlapTolerance) return std::nullopt;
    if (start.x == end.x) return gfx::Point{start.x, y};
    return gfx::Point{start.x + (y - start.y) / ((end.y - start.y) / (end.x - start.x)), y};
}

std::optional<gfx::Point> Segment::intersects(const Segment& other) const
{
    gfx::Point r = other.end - other.start;
    gfx::Point s = end - start;
    gfx::Point q = start - other.start;
    double d = r.y * s.x - r.x * s.y;
    if (std::fabs(d) <= OverlapTolerance) return std::nullopt;
    double u = q.y * s.x - q.x * s.y;
    double v = r.x * q.y - r.y * q.x;
    // Bounds are included in both orientations, so the answer does not depend on the argument order.
    bool crosses = d > 0 ? (0 <= u && u <= d && 0 <= v && v <= d) : (d <= u && u <= 0 && d <= v && v <= 0);
    if (!crosses) return std::nullopt;
    return start + s * (v / d);
}

std::optional<Segment::Intersection> Segment::findIntersection(const Segment& other) const
{
    std::optional<gfx::Point> point = intersects(other);
    if (!point) return std::nullopt;
    return Intersection{*point, distanceFromPoint(*point, start) / length(),
                        distanceFromPoint(*point, other.start) / other.length()};
}

}  // namespace kestrane
