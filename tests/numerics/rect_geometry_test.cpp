#include "numerics/rect_geometry.h"

#include <gtest/gtest.h>

#include "numerics/angle_constants.h"
#include "numerics/orientation.h"
#include "numerics/transform_extensions.h"
#include "tests/platform/gfx/geometry_printing.h"

namespace kestrane {
namespace {

TEST(RectGeometry, Constructors)
{
    EXPECT_EQ(Rect::fromPoints({5, 8}, {1, 2}), gfx::Rect(1, 2, 4, 6));
    EXPECT_EQ(Rect::around({10, 10}, 4.0), gfx::Rect(8, 8, 4, 4));
    EXPECT_EQ(Rect::around({10, 10}, gfx::Size{4, 2}), gfx::Rect(8, 9, 4, 2));
    EXPECT_EQ(Rect::ofSize(3, 4), gfx::Rect(0, 0, 3, 4));
    EXPECT_EQ(Rect::ofSize(gfx::Size{3, 4}), gfx::Rect(0, 0, 3, 4));
    EXPECT_EQ(Rect::square(5), gfx::Rect(0, 0, 5, 5));
    EXPECT_EQ(Rect::fromEdges(1, 0, 2, 5), gfx::Rect(1, 2, -1, 3));
    EXPECT_EQ(Rect::PDFPage(), gfx::Rect(0, 0, 612, 792));
}

TEST(RectGeometry, TopIsTheLargerY)
{
    gfx::Rect r(0, 0, 10, 20);
    EXPECT_EQ(topLeft(r), (gfx::Point{0, 20}));
    EXPECT_EQ(topRight(r), (gfx::Point{10, 20}));
    EXPECT_EQ(bottomLeft(r), (gfx::Point{0, 0}));
    EXPECT_EQ(bottomCenter(r), (gfx::Point{5, 0}));
    EXPECT_EQ(center(r), (gfx::Point{5, 10}));
    EXPECT_EQ(point(r, RectAnchor::topCenter), (gfx::Point{5, 20}));
    EXPECT_EQ(point(r, RectAnchor::middleRight), (gfx::Point{10, 10}));
    EXPECT_EQ(point(r, RectAnchor::bottomRight), (gfx::Point{10, 0}));
    EXPECT_EQ(point(r, RectAnchor::middleLeft), (gfx::Point{0, 10}));
    // Negative sizes read standardised.
    EXPECT_EQ(topLeft(gfx::Rect(10, 20, -10, -20)), (gfx::Point{0, 20}));
    EXPECT_EQ(rect(r, RectAnchor::topRight, {4, 2}), gfx::Rect(8, 19, 4, 2));
    EXPECT_EQ(square(r, RectAnchor::bottomLeft, 2), gfx::Rect(-1, -1, 2, 2));
}

TEST(RectGeometry, Squares)
{
    EXPECT_EQ(innerSquare(gfx::Rect(0, 0, 10, 20)), gfx::Rect(0, 5, 10, 10));
    EXPECT_EQ(outerSquare(gfx::Rect(0, 0, 10, 20)), gfx::Rect(-5, 0, 20, 20));
    EXPECT_EQ(innerSquare(gfx::Rect(0, 0, 20, 10)), gfx::Rect(5, 0, 10, 10));
    EXPECT_EQ(outerSquare(gfx::Rect(0, 0, 20, 10)), gfx::Rect(0, -5, 20, 20));
}

TEST(RectGeometry, DraggingAnAnchorFlipsPastTheOppositeEdge)
{
    gfx::Rect r(0, 0, 10, 10);
    EXPECT_EQ(move(r, RectAnchor::topLeft, {20, 5}), RectAnchor::topRight);
    EXPECT_EQ(r, gfx::Rect(10, 0, 10, 5));
    gfx::Rect s(0, 0, 10, 10);
    EXPECT_EQ(move(s, RectAnchor::bottomCenter, {3, 15}), RectAnchor::topCenter);
    EXPECT_EQ(s, gfx::Rect(0, 10, 10, 5));
    gfx::Rect t(0, 0, 10, 10);
    EXPECT_EQ(move(t, RectAnchor::topRight, {4, 6}), RectAnchor::topRight);
    EXPECT_EQ(t, gfx::Rect(0, 0, 4, 6));
    gfx::Rect u(0, 0, 10, 10);
    EXPECT_EQ(move(u, RectAnchor::bottomRight, {-2, 12}), RectAnchor::topLeft);
    EXPECT_EQ(u, gfx::Rect(-2, 10, 2, 2));
}

TEST(RectGeometry, ExpandToAPoint)
{
    gfx::Rect r(0, 0, 10, 10);
    expand(r, {4, 4});
    EXPECT_EQ(r, gfx::Rect(0, 0, 10, 10));
    expand(r, {-2, 12});
    EXPECT_EQ(r, gfx::Rect(-2, 0, 12, 12));
    gfx::Rect s(0, 0, 10, 10);
    expand(s, {15, 5});
    EXPECT_EQ(s, gfx::Rect(0, 0, 15, 10));
}

TEST(RectGeometry, InsetsFitAndFill)
{
    EXPECT_EQ(shrunkByPercent(gfx::Rect(0, 0, 100, 40), 0.5), gfx::Rect(25, 10, 50, 20));
    EXPECT_EQ(shrunkByDelta(gfx::Rect(0, 0, 40, 40), 5), gfx::Rect(5, 5, 30, 30));
    EXPECT_TRUE(shrunkByDelta(gfx::Rect(0, 0, 40, 40), 30).isNull());
    EXPECT_EQ(shrunkBy(gfx::Rect(0, 0, 40, 40), 5, 10), gfx::Rect(5, 10, 30, 20));
    EXPECT_EQ(fitting(gfx::Rect(7, 7, 200, 100), gfx::Rect(0, 0, 100, 100)), gfx::Rect(0, 25, 100, 50));
    EXPECT_EQ(filling(gfx::Rect(7, 7, 200, 100), gfx::Rect(0, 0, 100, 100)), gfx::Rect(-50, 0, 200, 100));
    EXPECT_EQ(centered(gfx::Rect(7, 7, 10, 20), gfx::Rect(0, 0, 100, 100)), gfx::Rect(45, 40, 10, 20));
    gfx::Rect r(1, 1, 2, 2);
    scaleBy(r, 2, 3);
    EXPECT_EQ(r, gfx::Rect(2, 3, 4, 6));
    EXPECT_EQ(scaledBy(gfx::Rect(1, 1, 2, 2), 2), gfx::Rect(2, 2, 4, 4));
}

TEST(RectGeometry, CopiesRatiosAndComparisons)
{
    gfx::Rect r(2, 4, 8, 16);
    EXPECT_EQ(withX(r, 0), gfx::Rect(0, 4, 8, 16));
    EXPECT_EQ(withY(r, 0), gfx::Rect(2, 0, 8, 16));
    EXPECT_EQ(withWidth(r, 1), gfx::Rect(2, 4, 1, 16));
    EXPECT_EQ(addingOrigin(r, {1, 1}), gfx::Rect(3, 5, 8, 16));
    EXPECT_EQ(addingSize(r, {1, 1}), gfx::Rect(2, 4, 9, 17));
    EXPECT_EQ(whRatio(r), 0.5);
    EXPECT_EQ(hwRatio(r), 2);
    EXPECT_EQ(xwRatio(r), 0.25);
    EXPECT_EQ(yhRatio(r), 0.25);
    EXPECT_EQ(xyRatio(r), 0.5);
    EXPECT_EQ(-r, gfx::Rect(-2, -4, -8, -16));
    EXPECT_TRUE(isSimilarTo(r, gfx::Rect(2.0000004, 4, 8, 16)));
    EXPECT_TRUE(overlap(r, gfx::Rect(2.000004, 4, 8, 16)));
    EXPECT_FALSE(overlap(r, gfx::Rect(2, 4, 8, 16.00001)));
    moveBy(r, {1, -1});
    EXPECT_EQ(r, gfx::Rect(3, 3, 8, 16));
}

TEST(TransformExtensions, QuarterTurnOfAFrameAboutItsCorner)
{
    // The way a quarter-turned frame is laid out: turned counter-clockwise (y-up), then moved back into
    // the positive quadrant.
    gfx::AffineTransform t;
    translateBy(t, 1080, 0);
    rotate(t, PI_1_2);
    gfx::Rect frame(0, 0, 1920, 1080);
    apply(frame, t);
    EXPECT_NEAR(frame.origin.x, 0, 1e-9);
    EXPECT_NEAR(frame.origin.y, 0, 1e-9);
    EXPECT_NEAR(frame.size.width, 1080, 1e-9);
    EXPECT_NEAR(frame.size.height, 1920, 1e-9);
    // The marker at the bottom-right corner of the frame ends at its top-right.
    gfx::Point marker = gfx::applying(gfx::Point{1920, 0}, t);
    EXPECT_NEAR(marker.x, 1080, 1e-9);
    EXPECT_NEAR(marker.y, 1920, 1e-9);
    Orientation orientation = Orientation::up;
    turnLeft(orientation);
    EXPECT_EQ(orientation, Orientation::left);
}

TEST(TransformExtensions, StepsApplyBeforeTheTransform)
{
    gfx::AffineTransform t;
    scaleBy(t, 2, 3);
    translateBy(t, 1, 1);  // moves first, then scales
    EXPECT_EQ(gfx::applying(gfx::Point{0, 0}, t), (gfx::Point{2, 3}));
    gfx::AffineTransform s;
    scale(s, 2);
    concate(s, gfx::AffineTransform::translation(1, 1));  // scales, then moves
    EXPECT_EQ(gfx::applying(gfx::Point{1, 1}, s), (gfx::Point{3, 3}));
    gfx::AffineTransform flip;
    scaleBy(flip, -1, 1);
    EXPECT_EQ(gfx::applying(gfx::Point{5, 2}, flip), (gfx::Point{-5, 2}));
}

}  // namespace
}  // namespace kestrane
