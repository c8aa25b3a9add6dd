#include <cmath>
#include <gtest/gtest.h>

#include "numerics/fat_line.h"
#include "numerics/line.h"
#include "numerics/segment.h"
#include "numerics/triangle.h"
#include "tests/platform/gfx/geometry_printing.h"

namespace kestrane {
namespace {

TEST(Line, ThroughTwoPoints)
{
    Line line = Line::through({0, 0}, {2, 0});
    EXPECT_EQ(line, Line(0, 1, 0));
    EXPECT_EQ(line.distance({5, 3}), 3);
    EXPECT_EQ(line.distance({5, -3}), -3);
    EXPECT_EQ(Line::through({1, 1}, {1, 1}), Line(0, 0, 0));
    Line slanted = Line::through({0, 0}, {3, 4});
    EXPECT_DOUBLE_EQ(slanted.a * slanted.a + slanted.b * slanted.b, 1);
    line.offsetBy(2);
    EXPECT_EQ(line.c, 2);
    EXPECT_EQ(Line(1, 2, 3).withB(5), Line(1, 5, 3));
}

TEST(Line, Intersections)
{
    EXPECT_EQ(Line(1, 0, -1).intersects(Line(0, 1, -2)), (gfx::Point{1, 2}));
    EXPECT_FALSE(Line(0, 1, -2).intersects(Line(0, 1, 5)).has_value());
    EXPECT_FALSE(Line(0, 1, -2).intersects(Line(0, 1, -2)).has_value());
}

TEST(Segment, Measures)
{
    Segment s({0, 0}, {3, 4});
    EXPECT_EQ(s.length(), 5);
    EXPECT_EQ(s.deltaX(), 3);
    EXPECT_EQ(s.pointAt(2), (gfx::Point{6, 8}));
    EXPECT_EQ(s.midpoint(), (gfx::Point{1.5, 2}));
    EXPECT_EQ(Segment({0, 0}, {0, 5}).normal(), (gfx::Point{-1, 0}));
    EXPECT_EQ(Segment::zero().normal(), (gfx::Point{0, 0}));
    EXPECT_EQ(Segment({3, 1}, {1, 4}).bounds(), gfx::Rect(1, 1, 2, 3));
    EXPECT_EQ(s.reversed().start, (gfx::Point{3, 4}));
    EXPECT_EQ(s.parameter({1.5, 2}), 0.5);
    EXPECT_TRUE(s.isEqualToReversedSegment(s.reversed()));
    EXPECT_TRUE(s.overlapReversed(Segment({3.000004, 4}, {0, 0})));
    EXPECT_TRUE(s.isSimilarTo(Segment({0.0000004, 0}, {3, 4})));
    EXPECT_TRUE(Segment({1, 1}, {1.0000004, 1}).isPoint());
}

TEST(Segment, DistanceToTheLineThroughIt)
{
    Segment::Distance d = Segment({0, 0}, {4, 0}).distance({6, 3});
    EXPECT_EQ(d.value, 3);
    EXPECT_EQ(d.param, 1.5);
    d = Segment({0, 0}, {0, 4}).distance({3, 2});
    EXPECT_EQ(d.value, 3);
    EXPECT_EQ(d.param, 0.5);
    d = Segment::zero().distance({3, 2});
    EXPECT_EQ(d.value, 0);
    EXPECT_EQ(d.param, 0);
}

TEST(Segment, ColinearityComparesDirections)
{
    Segment vertical({0, 0}, {0, 5});
    Segment horizontal({0, 0}, {5, 0});
    // Perpendicular segments are not collinear, in either order.
    EXPECT_FALSE(vertical.isColinearTo(horizontal));
    EXPECT_FALSE(horizontal.isColinearTo(vertical));
    EXPECT_TRUE(vertical.isColinearTo(Segment({7, 1}, {7, -3})));
    EXPECT_TRUE(Segment({0, 0}, {2, 2}).isColinearTo(Segment({5, 0}, {6, 1})));
    EXPECT_FALSE(Segment({0, 0}, {2, 2}).isColinearTo(Segment({0, 0}, {2, 3})));
}

TEST(Segment, ContainsPointsOfAxisAlignedSegments)
{
    Segment horizontal({0, 0}, {4, 0});
    EXPECT_TRUE(horizontal.contains({2, 0}));
    EXPECT_TRUE(horizontal.contains({4, 0}));
    EXPECT_TRUE(horizontal.contains({0, 0}));
    EXPECT_FALSE(horizontal.contains({5, 0}));
    EXPECT_FALSE(horizontal.contains({2, 1}));
    Segment vertical({1, 4}, {1, 0});
    EXPECT_TRUE(vertical.contains({1, 2}));
    EXPECT_TRUE(vertical.contains({1, 4}));
    Segment slanted({0, 0}, {4, 4});
    EXPECT_TRUE(slanted.contains({1, 1}));
    EXPECT_TRUE(slanted.contains({4, 4}));
    EXPECT_FALSE(slanted.contains({5, 5}));
    EXPECT_FALSE(slanted.contains({1, 2}));
}

TEST(Segment, CrossingsDoNotDependOnArgumentOrder)
{
    Segment s({0, 0}, {2, 0});
    Segment p({1, -1}, {1, 1});
    EXPECT_EQ(s.intersects(p), (gfx::Point{1, 0}));
    EXPECT_EQ(p.intersects(s), (gfx::Point{1, 0}));
    // Touching at an end point counts as a crossing both ways.
    Segment t({2, -1}, {2, 1});
    EXPECT_EQ(s.intersects(t), (gfx::Point{2, 0}));
    EXPECT_EQ(t.intersects(s), (gfx::Point{2, 0}));
    EXPECT_FALSE(s.intersects(Segment({3, -1}, {3, 1})).has_value());
    EXPECT_FALSE(Segment({3, -1}, {3, 1}).intersects(s).has_value());
    EXPECT_FALSE(s.intersects(Segment({0, 1}, {2, 1})).has_value());  // parallel

    auto found = s.findIntersection(Segment({0.5, -1}, {0.5, 3}));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->point, (gfx::Point{0.5, 0}));
    EXPECT_EQ(found->param1, 0.25);
    EXPECT_EQ(found->param2, 0.25);
    EXPECT_FALSE(s.findIntersection(Segment({3, -1}, {3, 1})).has_value());
}

TEST(Segment, CrossingAHorizontalLine)
{
    Segment s({0, 0}, {4, 2});
    EXPECT_EQ(s.intersectsHorizontal(1), (gfx::Point{2, 1}));
    EXPECT_EQ(s.intersectsHorizontal(2.000004), (gfx::Point{4.000008, 2.000004}));
    EXPECT_FALSE(s.intersectsHorizontal(2.1).has_value());
    EXPECT_FALSE(s.intersectsHorizontal(-0.1).has_value());
    EXPECT_EQ(Segment({3, 0}, {3, 5}).intersectsHorizontal(2), (gfx::Point{3, 2}));
}

TEST(FatLine, IntervalAccess)
{
    FatLine f(Line(0, 1, 0), Interval(-1, 2));
    EXPECT_EQ(f.interval(), Interval(-1, 2));
    f.setInterval(Interval(0, 3));
    EXPECT_EQ(f.min, 0);
    EXPECT_EQ(f.max, 3);
    EXPECT_EQ(f.withMin(-5), FatLine(Line(0, 1, 0), -5, 3));
    EXPECT_EQ(f.withLine(Line(1, 0, 0)).line, Line(1, 0, 0));
}

TEST(Triangle, Collinearity)
{
    using State = Triangle::CollinearityState;
    EXPECT_EQ(Triangle({0, 0}, {1, 0}, {0, 1}).collinearity(), State::counterClockwiseTurn);
    EXPECT_EQ(Triangle({0, 0}, {0, 1}, {1, 0}).collinearity(), State::clockwiseTurn);
    EXPECT_EQ(Triangle({0, 0}, {1, 1}, {3, 3}).collinearity(), State::line);
    EXPECT_EQ(Triangle({2, 2}, {2, 2}, {2, 2}).collinearity(), State::point);
    EXPECT_TRUE(Triangle({2, 2}, {2, 2}, {2, 2}).isLine());
    EXPECT_EQ(Triangle({0, 0}, {1, 0}, {0, 1}).signedArea(), 0.5);
}

TEST(Triangle, Arithmetic)
{
    Triangle t({1, 2}, {3, 4}, {5, 6});
    EXPECT_EQ(t - 1.0, Triangle({0, 1}, {2, 3}, {4, 5}));
    EXPECT_EQ(10.0 - t, Triangle({9, 8}, {7, 6}, {5, 4}));
    EXPECT_EQ(t * 2.0, Triangle({2, 4}, {6, 8}, {10, 12}));
    EXPECT_EQ(t + t, t * 2.0);
    EXPECT_EQ(-t, Triangle({-1, -2}, {-3, -4}, {-5, -6}));
    Triangle u = t;
    u /= 2.0;
    u += 1.0;
    EXPECT_EQ(u, Triangle({1.5, 2}, {2.5, 3}, {3.5, 4}));
    EXPECT_TRUE(t.isSimilarTo(t + 0.0000004));
    EXPECT_TRUE(t.overlap(t + 0.000004));
    EXPECT_FALSE(t.overlap(t + 0.00001));
}

}  // namespace
}  // namespace kestrane
