#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>

#include "numerics/convex_hull.h"
#include "numerics/point_geometry.h"
#include "numerics/size_geometry.h"
#include "tests/platform/gfx/geometry_printing.h"

namespace kestrane {
namespace {

TEST(PointGeometry, MeasuresAndComparisons)
{
    EXPECT_EQ(Point::square(2), (gfx::Point{2, 2}));
    EXPECT_EQ(distanceFromPoint({1, 1}, {4, 5}), 5);
    EXPECT_EQ(dotMult({1, 2}, {3, 4}), 11);
    EXPECT_EQ(middle({4, 6}), (gfx::Point{2, 3}));  // half the vector, not a midpoint
    EXPECT_EQ(length({3, 4}), 5);
    EXPECT_EQ(xyRatio({1, 4}), 0.25);
    EXPECT_EQ(yxRatio({1, 4}), 4);
    EXPECT_EQ(min(gfx::Point{3, -1}), -1);
    EXPECT_EQ(max(gfx::Point{3, -1}), 3);
    EXPECT_TRUE(isSimilarTo(gfx::Point{1.0000004, 2}, gfx::Point{1, 2}));
    EXPECT_FALSE(isSimilarTo(gfx::Point{1.0000004, 2}, gfx::Point{1, 2}, 7));
    EXPECT_FALSE(isSimilarTo(gfx::Point{NAN, 2}, gfx::Point{NAN, 2}));
    EXPECT_TRUE(overlap(gfx::Point{1, 2}, gfx::Point{1.000004, 1.999996}));
    EXPECT_FALSE(overlap(gfx::Point{1, 2}, gfx::Point{1, 2.00001}));
}

TEST(PointGeometry, CopiesRoundingAndScaling)
{
    gfx::Point p{1.5, -2.5};
    EXPECT_EQ(withZeroX(p), (gfx::Point{0, -2.5}));
    EXPECT_EQ(withZeroY(p), (gfx::Point{1.5, 0}));
    EXPECT_EQ(withX(p, 7), (gfx::Point{7, -2.5}));
    EXPECT_EQ(withY(p, 7), (gfx::Point{1.5, 7}));
    EXPECT_EQ(byAddingX(p, 1), (gfx::Point{2.5, -2.5}));
    EXPECT_EQ(byAddingY(p, 1), (gfx::Point{1.5, -1.5}));
    EXPECT_EQ(abs(p), (gfx::Point{1.5, 2.5}));
    EXPECT_EQ(floor(p), (gfx::Point{1, -3}));
    EXPECT_EQ(ceil(p), (gfx::Point{2, -2}));
    EXPECT_EQ(round(p), (gfx::Point{2, -3}));
    EXPECT_EQ(round(gfx::Point{1.25, -1.25}, 1), (gfx::Point{1.3, -1.3}));
    roundInPlace(p);
    EXPECT_EQ(p, (gfx::Point{2, -3}));
    EXPECT_EQ(unitScale({0, 0}), (gfx::Point{0, 0}));
    EXPECT_EQ(unitScale({3, 4}), (gfx::Point{0.6, 0.8}));
    EXPECT_EQ(unitScale({3, 4}, 10), (gfx::Point{6, 8}));
    EXPECT_EQ(size(gfx::Point{3, 4}), (gfx::Size{3, 4}));
    EXPECT_EQ(invertedPoint({3, 4}), (gfx::Point{4, 3}));
}

TEST(PointGeometry, Operators)
{
    gfx::Point p{1, 2};
    EXPECT_EQ(-p, (gfx::Point{-1, -2}));
    EXPECT_EQ(p + gfx::Point({1, 1}), (gfx::Point{2, 3}));
    EXPECT_EQ(p - 1.0, (gfx::Point{0, 1}));
    EXPECT_EQ(10.0 - p, (gfx::Point{9, 8}));
    EXPECT_EQ(2.0 * p, (gfx::Point{2, 4}));
    EXPECT_EQ(p / 2.0, (gfx::Point{0.5, 1}));
    p += 1.0;
    p *= 3.0;
    p -= gfx::Point{1, 1};
    EXPECT_EQ(p, (gfx::Point{5, 8}));
}

TEST(SizeGeometry, FitAndFill)
{
    EXPECT_EQ(fitting(gfx::Size{100, 50}, gfx::Size{400, 400}), (gfx::Size{400, 200}));
    EXPECT_EQ(fitting(gfx::Size{100, 50}, gfx::Size{400, 100}), (gfx::Size{200, 100}));
    gfx::Size s{100, 50};
    fit(s, gfx::Size{400, 400});
    EXPECT_EQ(s, (gfx::Size{400, 200}));
    EXPECT_EQ(filling(gfx::Size{2, 1}, gfx::Rect(0, 0, 100, 100)), gfx::Rect(-50, 0, 200, 100));
    EXPECT_EQ(fitting(gfx::Size{2, 1}, gfx::Rect(0, 0, 100, 100)), gfx::Rect(0, 25, 100, 50));
    EXPECT_EQ(fitting(gfx::Size{1, 2}, gfx::Rect(10, 10, 100, 100)), gfx::Rect(35, 10, 50, 100));
    EXPECT_EQ(filling(gfx::Size{1, 2}, gfx::Rect(0, 0, 100, 100)), gfx::Rect(0, -50, 100, 200));
    EXPECT_EQ(centered(gfx::Size{10, 20}, gfx::Rect(0, 0, 100, 100)), gfx::Rect(45, 40, 10, 20));
}

TEST(SizeGeometry, Clamping)
{
    EXPECT_EQ(clamping(gfx::Size{-40, 20}, 10.0), (gfx::Size{10, 5}));
    EXPECT_EQ(clamping(gfx::Size{4, -6}, 10.0), (gfx::Size{4, -6}));
    EXPECT_EQ(clamping(gfx::Size{20, 40}, 10.0), (gfx::Size{5, 10}));
    EXPECT_EQ(clamping(gfx::Size{1920, 1080}, gfx::Size{960, 960}), (gfx::Size{960, 540}));
    EXPECT_EQ(clamping(gfx::Size{1080, 1920}, gfx::Size{960, 960}), (gfx::Size{540, 960}));
    EXPECT_EQ(clamping(gfx::Size{100, 50}, gfx::Size{960, 960}), (gfx::Size{100, 50}));  // never scaled up
    gfx::Size s{1920, 1080};
    clamp(s, 192.0);
    EXPECT_EQ(s, (gfx::Size{192, 108}));
}

TEST(SizeGeometry, MembersAndText)
{
    EXPECT_EQ(Size::square(3), (gfx::Size{3, 3}));
    EXPECT_EQ(rect(gfx::Size{3, 4}), gfx::Rect(0, 0, 3, 4));
    EXPECT_EQ(center(gfx::Size{3, 4}), (gfx::Point{1.5, 2}));
    EXPECT_EQ(point(gfx::Size{3, 4}), (gfx::Point{3, 4}));
    EXPECT_EQ(invertedSize(gfx::Size{1920, 1080}), (gfx::Size{1080, 1920}));
    EXPECT_EQ(whRatio(gfx::Size{1920, 1080}), 1920.0 / 1080);
    EXPECT_EQ(hwRatio(gfx::Size{4, 2}), 0.5);
    EXPECT_EQ(area(gfx::Size{3, 4}), 12);
    EXPECT_EQ(innerSquare(gfx::Size{3, 4}), (gfx::Size{3, 3}));
    EXPECT_EQ(outerSquare(gfx::Size{3, 4}), (gfx::Size{4, 4}));
    EXPECT_EQ(withWidth(gfx::Size{3, 4}, 1), (gfx::Size{1, 4}));
    EXPECT_EQ(addingHeight(gfx::Size{3, 4}, 1), (gfx::Size{3, 5}));
    EXPECT_EQ(roundIntDesc(gfx::Size{1919.5, 1080.4}), "1920 x 1080");
    EXPECT_EQ(roundedInt(gfx::Size{2.5, -2.5}), (gfx::Size{3, -3}));
    EXPECT_EQ(rounded(gfx::Size{1.25, 2.5}, 1), (gfx::Size{1.3, 2.5}));
    EXPECT_EQ(scalingToHeight(gfx::Size{1920, 1080}, 540), (gfx::Size{960, 540}));
    EXPECT_EQ(scalingToWidth(gfx::Size{1920, 1080}, 960), (gfx::Size{960, 540}));
    EXPECT_EQ(Size::square(300) * 2.0, (gfx::Size{600, 600}));
    EXPECT_EQ(10.0 - gfx::Size({3, 4}), (gfx::Size{7, 6}));
    EXPECT_EQ(Size::PDFPage(), (gfx::Size{612, 792}));
    EXPECT_TRUE(isSimilarTo(gfx::Size{1.0000004, 2}, gfx::Size{1, 2}));
}

TEST(SizeGeometry, QuarterTurnOfAFrame)
{
    // A quarter-turned 1920 x 1080 frame is 1080 x 1920, whether swapped or transformed.
    EXPECT_EQ(invertedSize(gfx::Size{1920, 1080}), (gfx::Size{1080, 1920}));
    gfx::Size turned{1920, 1080};
    apply(turned, gfx::AffineTransform::rotation(1.5707963267948966));
    EXPECT_NEAR(std::fabs(turned.width), 1080, 1e-9);
    EXPECT_NEAR(turned.height, 1920, 1e-9);
}

TEST(ConvexHull, DropsInnerPointsAndEdgePoints)
{
    std::vector<gfx::Point> hull = Point::convexHull({{0, 0}, {4, 1}, {1, 3}, {2, 1}, {3, 4}});
    EXPECT_EQ(hull, (std::vector<gfx::Point>{{0, 0}, {4, 1}, {3, 4}, {1, 3}}));
    hull = Point::convexHull({{0, 0}, {4, 0}, {2, 0}, {1, 2}, {3, 3}});
    EXPECT_EQ(hull, (std::vector<gfx::Point>{{0, 0}, {4, 0}, {3, 3}, {1, 2}}));
}

TEST(ConvexHull, SmallInputs)
{
    EXPECT_EQ(Point::convexHull({{3, 1}, {1, 2}}), (std::vector<gfx::Point>{{1, 2}, {3, 1}}));
    EXPECT_TRUE(Point::convexHull({{3, 1}}).empty());
    EXPECT_TRUE(Point::convexHull({}).empty());
    std::vector<gfx::Point> points{{2, 0}, {0, 1}, {0, 0}, {1, 5}};
    Point::convexHullInPlace(points);
    EXPECT_EQ(points, (std::vector<gfx::Point>{{0, 0}, {0, 1}, {1, 5}, {2, 0}}));
}

TEST(ConvexHull, NearlyEqualXSortsSafely)
{
    // Points whose x differ by less than the tolerance, in many orders: the sort stays well defined.
    std::vector<gfx::Point> points;
    for (int k = 0; k < 200; ++k)
        points.push_back({(k % 7) * 1e-6, double((k * 37) % 101)});
    points.push_back({NAN, 1});
    points.push_back({5, NAN});
    std::vector<gfx::Point> hull = Point::convexHull(points);
    EXPECT_FALSE(hull.empty());
    std::vector<gfx::Point> sorted = points;
    Point::convexHullInPlace(sorted);
    EXPECT_TRUE(std::is_permutation(
        sorted.begin(), sorted.end(), points.begin(), points.end(), [](const gfx::Point& p, const gfx::Point& q) {
            return std::bit_cast<std::array<char, 16>>(p) == std::bit_cast<std::array<char, 16>>(q);
        }));
}

}  // namespace
}  // namespace kestrane
