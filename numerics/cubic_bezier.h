// A plane cubic Bezier curve B(t) = (1−t)³a + 3t(1−t)²b + 3t²(1−t)c + t³d, t in [0, 1]: evaluation,
// derivatives, length and bounds, splitting, the nearest point to a point, comparisons, its fat lines, and
// one step of Bezier clipping. Repeating the clipping step is the caller's business.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "numerics/fat_line.h"
#include "numerics/interval.h"
#include "numerics/line.h"
#include "numerics/numeric_defaults.h"
#include "numerics/polynomial.h"
#include "numerics/segment.h"
#include "platform/gfx/rect.h"

namespace kestrane {

struct CubicBezier {
    struct Split;
    struct Subcurves;
    struct Projection;
    struct Distance {
        double value;
        double param;
    };

    gfx::Point a;  // first end point
    gfx::Point b;  // first control point
    gfx::Point c;  // second control point
    gfx::Point d;  // second end point

    CubicBezier() = default;
    CubicBezier(const gfx::Point& a, const gfx::Point& b, const gfx::Point& c, const gfx::Point& d)
        : a(a), b(b), c(c), d(d)
    {
    }
    static CubicBezier zero() { return {}; }
    // The cubic equal to the quadratic curve (a, b, c).
    static CubicBezier fromQuadratic(const gfx::Point& a, const gfx::Point& b, const gfx::Point& c);
    // The straight curve along the segment, control points at a third and two thirds.
    static CubicBezier fromSegment(const Segment& segment);

    const gfx::Point& endPoint1() const { return a; }
    const gfx::Point& ctrPoint1() const { return b; }
    const gfx::Point& ctrPoint2() const { return c; }
    const gfx::Point& endPoint2() const { return d; }
    std::array<double, 4> xValues() const { return {a.x, b.x, c.x, d.x}; }
    std::array<double, 4> yValues() const { return {a.y, b.y, c.y, d.y}; }
    void setXValues(const std::array<double, 4>& values);
    void setYValues(const std::array<double, 4>& values);
    CubicBezier reversed() const { return {d, c, b, a}; }

    bool isEqualToBezier(const CubicBezier& other) const { return *this == other; }
    bool isEqualToReversedBezier(const CubicBezier& other) const { return other == reversed(); }
    bool isSimilarTo(const CubicBezier& other, int places = SimilarityPlaces) const;
    bool isSimilarToReversed(const CubicBezier& other, int places = SimilarityPlaces) const;
    // b, c and d similar to a.
    bool isPoint(int places = SimilarityPlaces) const;
    // Both control points on the main line at the places (a closed curve counts as a segment).
    bool isSegment(int places = SimilarityPlaces) const;

    // B(t) with t clamped to [0, 1].
    gfx::Point pointAt(double t) const;
    double distanceBetween(double t, const gfx::Point& p) const;
    // The derivative of x (of y) at t, unclamped.
    double baseX(double t) const;
    double baseY(double t) const;
    Polynomial xPolynomial() const;
    Polynomial yPolynomial() const;
    Polynomial xDerivatePolynomial() const;
    Polynomial yDerivatePolynomial() const;
    // The parameters where the x (y) derivative vanishes, unrestricted, NaN for no real solution.
    std::vector<double> baseXRoots(int places = SimilarityPlaces) const;
    std::vector<double> baseYRoots(int places = SimilarityPlaces) const;
    // Arc length by Simpson's rule over 32 steps.
    double length() const;
    // The tight bounding rectangle.
    gfx::Rect bounds() const;
    // The rectangle of the four points.
    gfx::Rect boundingRect() const;

    Segment mainSegment() const { return {a, d}; }
    Line mainLine() const { return Line::through(a, d); }
    // Through the chord's midpoint, perpendicular to it.
    Line perpendicularLine() const;
    FatLine regularFatLine() const;
    FatLine perpendicularFatLine() const;

    Split split(double t) const;
    CubicBezier subcurve(const Interval& interval) const;
    Subcurves splitSubcurves(const Interval& interval) const;

    // The nearest point of the curve: its distance and parameter.
    Distance distance(const gfx::Point& p) const;
    // One correction step of a parameter towards the nearest point, unclamped.
    double refineParameter(double t, const gfx::Point& p) const;
    Interval projectionInterval(const Segment& segment) const;
    Projection projectSegment(const Segment& segment) const;

    // The parameters of this curve that can lie within the fat line's band; nothing when none can.
    std::optional<Interval> clipInterval(const FatLine& fatLine) const;
    // The same against another curve's regular and perpendicular fat lines.
    std::optional<Interval> clipInterval(const CubicBezier& other) const;

    // "<CubicBezier ((0.0, 0.0), (0.0, 10.0), (10.0, 10.0), (10.0, 0.0))>"
    std::string description() const;

    friend bool operator==(const CubicBezier&, const CubicBezier&) = default;
};

struct CubicBezier::Split {
    gfx::Point point;
    CubicBezier left;
    CubicBezier right;
};

struct CubicBezier::Subcurves {
    CubicBezier left;
    CubicBezier middle;
    CubicBezier right;
};

struct CubicBezier::Projection {
    CubicBezier subcurve;
    Interval interval;
};

}  // namespace kestrane
