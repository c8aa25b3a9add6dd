// A straight segment from start (parameter 0) to end (parameter 1): measures, comparisons, distances to a
// point, and crossings with a horizontal line or another segment.
#pragma once

#include <optional>

#include "numerics/numeric_defaults.h"
#include "platform/gfx/rect.h"

namespace kestrane {

struct Segment {
    struct Distance {
        double value;
        double param;
    };
    struct Intersection {
        gfx::Point point;
        double param1;  // along this segment
        double param2;  // along the other
    };

    gfx::Point start;
    gfx::Point end;

    Segment() = default;
    Segment(const gfx::Point& start, const gfx::Point& end) : start(start), end(end) {}
    static Segment zero() { return {}; }

    Segment withStart(const gfx::Point& p) const { return {p, end}; }
    Segment withEnd(const gfx::Point& p) const { return {start, p}; }
    Segment reversed() const { return {end, start}; }
    double deltaX() const { return end.x - start.x; }
    double deltaY() const { return end.y - start.y; }
    double length() const;
    // start + (end − start)·t, for any t.
    gfx::Point pointAt(double t) const;
    gfx::Point midpoint() const { return pointAt(0.5); }
    // The direction turned a quarter counter-clockwise, unit length; (0, 0) for a zero-length segment.
    gfx::Point normal() const;
    gfx::Rect bounds() const;
    gfx::Rect boundingRect() const { return bounds(); }

    bool isEqualToSegment(const Segment& other) const;
    bool isEqualToReversedSegment(const Segment& other) const;
    bool overlap(const Segment& other, double tolerance = OverlapTolerance) const;
    bool overlapReversed(const Segment& other, double tolerance = OverlapTolerance) const;
    bool isSimilarTo(const Segment& other, int places = SimilarityPlaces) const;
    bool isSimilarToReversed(const Segment& other, int places = SimilarityPlaces) const;
    bool isPoint(int places = SimilarityPlaces) const;
    // Same direction: slopes within the tolerance, or both segments vertical. Positions are not compared.
    bool isColinearTo(const Segment& other, double tolerance = OverlapTolerance) const;
    // On the segment's line at 6 places and within its bounds, both ends included.
    bool contains(const gfx::Point& p) const;
    // Distance from start over length, unsigned.
    double parameter(const gfx::Point& p) const;
    // The distance to the infinite line through the segment and the parameter of the foot point;
    // (0, 0) for a zero-length segment.
    Distance distance(const gfx::Point& p) const;
    // The point at ordinate y, when y lies within the segment's ordinates (with a 5e-06 margin).
    std::optional<gfx::Point> intersectsHorizontal(double y) const;
    // The crossing point of two segments, end points included; nothing for (nearly) parallel segments.
    std::optional<gfx::Point> intersects(const Segment& other) const;
    std::optional<Intersection> findIntersection(const Segment& other) const;
};

}  // namespace kestrane
