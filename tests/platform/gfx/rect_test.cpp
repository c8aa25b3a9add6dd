#include "platform/gfx/rect.h"

#include <gtest/gtest.h>

#include "tests/platform/gfx/geometry_printing.h"

namespace gfx {
namespace {

TEST(Rect, GettersReadNegativeSizesStandardised)
{
    Rect r(10, 20, -4, -6);
    EXPECT_EQ(r.minX(), 6);
    EXPECT_EQ(r.maxX(), 10);
    EXPECT_EQ(r.midX(), 8);
    EXPECT_EQ(r.minY(), 14);
    EXPECT_EQ(r.maxY(), 20);
    EXPECT_EQ(r.midY(), 17);
    EXPECT_EQ(r.width(), 4);
    EXPECT_EQ(r.height(), 6);
    EXPECT_EQ(r.standardized(), Rect(6, 14, 4, 6));
}

TEST(Rect, NullAndEmpty)
{
    EXPECT_TRUE(Rect::null().isNull());
    EXPECT_TRUE(Rect::null().isEmpty());
    EXPECT_FALSE(Rect::zero().isNull());
    EXPECT_TRUE(Rect::zero().isEmpty());
    EXPECT_TRUE(Rect(0, 0, 0, 5).isEmpty());
    EXPECT_FALSE(Rect(0, 0, -1, 5).isEmpty());
    EXPECT_FALSE(Rect::infinite().isNull());
    EXPECT_TRUE(contains(Rect::infinite(), Point{1e300, -1e300}));
}

TEST(Rect, InsetPastTheSizeGivesNull)
{
    EXPECT_EQ(inset(Rect(0, 0, 40, 40), 10, 5), Rect(10, 5, 20, 30));
    EXPECT_EQ(inset(Rect(0, 0, 40, 40), 20, 20), Rect(20, 20, 0, 0));
    EXPECT_TRUE(inset(Rect(0, 0, 40, 40), 30, 30).isNull());
    EXPECT_TRUE(inset(Rect(0, 0, 40, 40), 1, 21).isNull());
    EXPECT_EQ(inset(Rect(0, 0, 10, 10), -5, -5), Rect(-5, -5, 20, 20));
    // A negative size is standardised first.
    EXPECT_EQ(inset(Rect(10, 10, -10, -10), 1, 1), Rect(1, 1, 8, 8));
    EXPECT_TRUE(inset(Rect::null(), -1, -1).isNull());
}

TEST(Rect, ContainmentIsHalfOpen)
{
    Rect r(0, 0, 10, 10);
    EXPECT_TRUE(contains(r, Point{0, 0}));
    EXPECT_TRUE(contains(r, Point{9.999, 9.999}));
    EXPECT_FALSE(contains(r, Point{10, 5}));
    EXPECT_FALSE(contains(r, Point{5, 10}));
    EXPECT_FALSE(contains(r, Point{-0.001, 5}));
    EXPECT_FALSE(contains(Rect(0, 0, 0, 10), Point{0, 5}));
    EXPECT_FALSE(contains(Rect::null(), Point{0, 0}));
    EXPECT_TRUE(contains(Rect(10, 10, -10, -10), Point{0, 0}));

    EXPECT_TRUE(contains(r, Rect(0, 0, 10, 10)));
    EXPECT_TRUE(contains(r, Rect(2, 2, 3, 3)));
    EXPECT_FALSE(contains(r, Rect(2, 2, 9, 3)));
}

TEST(Rect, IntersectionAndUnion)
{
    Rect a(0, 0, 10, 10);
    EXPECT_EQ(intersection(a, Rect(5, 5, 10, 10)), Rect(5, 5, 5, 5));
    EXPECT_TRUE(intersection(a, Rect(20, 20, 5, 5)).isNull());
    EXPECT_TRUE(intersection(a, Rect::null()).isNull());
    // Touching rectangles meet in an empty, non-null rectangle, and do not intersect.
    Rect touching = intersection(a, Rect(10, 0, 5, 5));
    EXPECT_FALSE(touching.isNull());
    EXPECT_TRUE(touching.isEmpty());
    EXPECT_FALSE(intersects(a, Rect(10, 0, 5, 5)));
    EXPECT_TRUE(intersects(a, Rect(9, 9, 5, 5)));
    EXPECT_FALSE(intersects(a, Rect(20, 20, 5, 5)));

    EXPECT_EQ(unionOf(a, Rect(20, -5, 5, 5)), Rect(0, -5, 25, 15));
    EXPECT_EQ(unionOf(Rect::null(), a), a);
    EXPECT_EQ(unionOf(a, Rect::null()), a);
    EXPECT_TRUE(unionOf(Rect::null(), Rect::null()).isNull());
}

TEST(Rect, OffsetAndIntegral)
{
    EXPECT_EQ(offset(Rect(1, 2, 3, 4), 10, -10), Rect(11, -8, 3, 4));
    EXPECT_EQ(integral(Rect(0.5, -0.5, 2.2, 1.2)), Rect(0, -1, 3, 2));
    EXPECT_TRUE(integral(Rect::null()).isNull());
}

}  // namespace
}  // namespace gfx
