#include "numerics/cubic_bezier.h"

#include <cmath>
#include <gtest/gtest.h>

#include "numerics/point_geometry.h"
#include "tests/platform/gfx/geometry_printing.h"

namespace kestrane {
namespace {

CubicBezier arch() { return CubicBezier({0, 0}, {0, 10}, {10, 10}, {10, 0}); }

double bruteForceDistance(const CubicBezier& curve, const gfx::Point& p)
{
    double best = INFINITY;
    for (int k = 0; k <= 100000; ++k)
        best = std::min(best, curve.distanceBetween(k / 100000.0, p));
    return best;
}

TEST(CubicBezier, DerivativeRootsPointsAndBounds)
{
    EXPECT_EQ(arch().baseYRoots(), std::vector<double>{0.5});
    EXPECT_EQ(arch().baseXRoots(), (std::vector<double>{1, 0}));
    EXPECT_EQ(arch().pointAt(0.5), (gfx::Point{5, 7.5}));
    EXPECT_EQ(arch().bounds(), gfx::Rect(0, 0, 10, 7.5));
    EXPECT_EQ(arch().boundingRect(), gfx::Rect(0, 0, 10, 10));
    EXPECT_EQ(arch().pointAt(2), (gfx::Point{10, 0}));
    EXPECT_EQ(arch().pointAt(-1), (gfx::Point{0, 0}));
    EXPECT_EQ(arch().baseX(0), 0);
    EXPECT_EQ(arch().baseY(0), 30);
    EXPECT_EQ(arch().xPolynomial().evaluate(0.5), Complex(5, 0));
    EXPECT_EQ(arch().yDerivatePolynomial().evaluate(0.5), Complex(0, 0));
}

TEST(CubicBezier, StraightCurves)
{
    CubicBezier line = CubicBezier::fromSegment(Segment({0, 0}, {3, 0}));
    EXPECT_TRUE(line.isSegment());
    EXPECT_FALSE(line.isPoint());
    EXPECT_NEAR(line.length(), 3, 1e-12);
    EXPECT_TRUE(CubicBezier({1, 1}, {1, 1}, {1.0000004, 1}, {1, 1}).isPoint());
    EXPECT_FALSE(arch().isSegment());

    CubicBezier::Split halves = CubicBezier::fromSegment(Segment({0, 0}, {4, 0})).split(0.5);
    EXPECT_EQ(halves.point, (gfx::Point{2, 0}));
    EXPECT_EQ(halves.left.d, halves.point);
    EXPECT_EQ(halves.right.a, halves.point);
    EXPECT_EQ(CubicBezier::fromQuadratic({0, 0}, {3, 3}, {6, 0}), CubicBezier({0, 0}, {2, 2}, {4, 2}, {6, 0}));
}

TEST(CubicBezier, Subcurves)
{
    CubicBezier curve = arch();
    EXPECT_EQ(curve.subcurve(Interval(0, 1)), curve);
    Interval middle(0.25, 0.75);
    CubicBezier::Subcurves parts = curve.splitSubcurves(middle);
    EXPECT_TRUE(parts.middle.isSimilarTo(curve.subcurve(middle)));
    EXPECT_TRUE(isSimilarTo(parts.left.d, curve.pointAt(0.25)));
    EXPECT_TRUE(isSimilarTo(parts.middle.d, curve.pointAt(0.75)));
    EXPECT_EQ(parts.right.d, curve.d);
    EXPECT_EQ(curve.splitSubcurves(Interval(0, 0.5)).left, CubicBezier::zero());
    EXPECT_EQ(curve.splitSubcurves(Interval(1, 1)).middle, CubicBezier::zero());
}

TEST(CubicBezier, NearestPoint)
{
    CubicBezier line = CubicBezier::fromSegment(Segment({0, 0}, {4, 0}));
    CubicBezier::Distance d = line.distance({2, 3});
    EXPECT_EQ(d.value, 3);
    EXPECT_EQ(d.param, 0.5);
    d = line.distance({4, 0});
    EXPECT_EQ(d.value, 0);
    EXPECT_EQ(d.param, 1);
    EXPECT_EQ(line.projectionInterval(Segment({3, 1}, {1, -1})), Interval(0.25, 0.75));
}

TEST(CubicBezier, NearestPointOfOrdinaryPointsIsFinite)
{
    // Real roots that come after complex ones, and an equation with a root at 0, still give the nearest
    // point; so does a point nearest to an end of the curve.
    for (gfx::Point p : {gfx::Point{12, 3}, gfx::Point{5, 0}, gfx::Point{-3, -4}, gfx::Point{5, 20}}) {
        CubicBezier::Distance d = arch().distance(p);
        double expected = bruteForceDistance(arch(), p);
        EXPECT_TRUE(std::isfinite(d.value)) << gfx::describe(p);
        EXPECT_GE(d.param, 0);
        EXPECT_LE(d.param, 1);
        EXPECT_NEAR(d.value, expected, 1e-6) << gfx::describe(p);
        EXPECT_NEAR(arch().distanceBetween(d.param, p), d.value, 1e-12);
    }
}

TEST(CubicBezier, RefineParameterKeepsTheNearestPoint)
{
    CubicBezier line = CubicBezier::fromSegment(Segment({0, 0}, {4, 0}));
    EXPECT_NEAR(line.refineParameter(0.5, {2, 3}), 0.5, 1e-12);
    double t = 0.4;
    for (int k = 0; k < 50; ++k)
        t = line.refineParameter(t, {2, 3});
    EXPECT_NEAR(t, 0.5, 1e-9);
}

TEST(CubicBezier, FatLines)
{
    FatLine regular = arch().regularFatLine();
    EXPECT_EQ(regular.line, Line(0, 1, 0));
    EXPECT_EQ(regular.min, 0);
    EXPECT_EQ(regular.max, 10);
    FatLine perpendicular = arch().perpendicularFatLine();
    EXPECT_NEAR(std::fabs(perpendicular.line.a), 1, 1e-15);
    EXPECT_NEAR(perpendicular.max - perpendicular.min, 10, 1e-12);
    EXPECT_EQ(arch().mainSegment().end, (gfx::Point{10, 0}));
}

TEST(CubicBezier, ClippingAgainstAFatLine)
{
    CubicBezier line = CubicBezier::fromSegment(Segment({0, 0}, {3, 0}));
    EXPECT_EQ(line.clipInterval(FatLine(Line(0, 1, 0), -1, 1)), Interval(0, 1));
    EXPECT_FALSE(line.clipInterval(FatLine(Line(0, 1, 0), 2, 3)).has_value());
    // A band of no width on the curve's own line: the level hull edges give the whole curve, not NaN.
    std::optional<Interval> onLine = line.clipInterval(FatLine(Line(0, 1, 0), 0, 0));
    ASSERT_TRUE(onLine.has_value());
    EXPECT_EQ(*onLine, Interval(0, 1));
}

TEST(CubicBezier, ClippingAgainstAnotherCurve)
{
    CubicBezier across = CubicBezier::fromSegment(Segment({-1, 5}, {11, 5}));
    std::optional<Interval> clipped = arch().clipInterval(across);
    ASSERT_TRUE(clipped.has_value());
    EXPECT_GE(clipped->min, 0);
    EXPECT_LE(clipped->max, 1);
    EXPECT_LT(clipped->length(), 1);
    CubicBezier far = CubicBezier::fromSegment(Segment({20, 20}, {30, 20}));
    EXPECT_FALSE(arch().clipInterval(far).has_value());
    CubicBezier straight = CubicBezier::fromSegment(Segment({0, 0}, {3, 0}));
    EXPECT_TRUE(straight.clipInterval(straight).has_value());
}

TEST(CubicBezier, ComparisonsAndText)
{
    CubicBezier curve = arch();
    EXPECT_TRUE(curve.isEqualToReversedBezier(curve.reversed()));
    EXPECT_TRUE(curve.isSimilarToReversed(curve.reversed()));
    EXPECT_TRUE(curve.isEqualToBezier(curve));
    CubicBezier moved = curve;
    moved.setXValues({1, 1, 11, 11});
    EXPECT_EQ(moved.a, (gfx::Point{1, 0}));
    EXPECT_EQ(moved.xValues(), (std::array<double, 4>{1, 1, 11, 11}));
    EXPECT_EQ(curve.description(), "<CubicBezier ((0.0, 0.0), (0.0, 10.0), (10.0, 10.0), (10.0, 0.0))>");
}

}  // namespace
}  // namespace kestrane
