#include "platform/gfx/affine_transform.h"

#include <cmath>
#include <gtest/gtest.h>

#include "tests/platform/gfx/geometry_printing.h"

namespace gfx {
namespace {

constexpr double halfPi = 1.5707963267948966;

TEST(AffineTransform, QuarterTurnIsCounterClockwiseAndNotSnapped)
{
    AffineTransform r = AffineTransform::rotation(halfPi);
    EXPECT_EQ(r.a, std::cos(halfPi));
    EXPECT_NE(r.a, 0.0);  // 6.1e-17, as the math library gives it
    Point p = applying(Point{1, 0}, r);
    EXPECT_NEAR(p.x, 0, 1e-15);
    EXPECT_EQ(p.y, 1);
}

TEST(AffineTransform, ConcatAppliesTheFirstTransformFirst)
{
    AffineTransform scale = AffineTransform::scaling(2, 3);
    AffineTransform move = AffineTransform::translation(10, 20);
    EXPECT_EQ(applying(Point{1, 1}, concat(scale, move)), (Point{12, 23}));
    EXPECT_EQ(applying(Point{1, 1}, concat(move, scale)), (Point{22, 63}));
}

TEST(AffineTransform, BuildersPutTheNewStepFirst)
{
    // Translating, then rotating the transform: a point is rotated first, then moved.
    AffineTransform t = rotated(AffineTransform::translation(10, 0), halfPi);
    Point p = applying(Point{1, 0}, t);
    EXPECT_NEAR(p.x, 10, 1e-15);
    EXPECT_NEAR(p.y, 1, 1e-15);

    AffineTransform s = scaled(AffineTransform::translation(5, 5), 2, 4);
    EXPECT_EQ(applying(Point{1, 1}, s), (Point{7, 9}));

    AffineTransform m = translated(AffineTransform::scaling(2, 2), 1, 1);
    EXPECT_EQ(applying(Point{0, 0}, m), (Point{2, 2}));
}

TEST(AffineTransform, InvertAndIdentity)
{
    AffineTransform t = translated(rotated(AffineTransform::scaling(2, 3), 0.3), 4, -7);
    Point p = applying(applying(Point{3, 5}, t), inverted(t));
    EXPECT_NEAR(p.x, 3, 1e-12);
    EXPECT_NEAR(p.y, 5, 1e-12);
    AffineTransform singular = AffineTransform::scaling(0, 1);
    EXPECT_EQ(inverted(singular), singular);
    EXPECT_TRUE(AffineTransform::identity().isIdentity());
    EXPECT_FALSE(AffineTransform::translation(0, 1).isIdentity());
}

TEST(AffineTransform, AppliesToSizesWithoutTranslation)
{
    AffineTransform t = translated(AffineTransform::scaling(2, 3), 100, 100);
    EXPECT_EQ(applying(Size{4, 5}, t), (Size{8, 15}));
    Size turned = applying(Size{1920, 1080}, AffineTransform::rotation(halfPi));
    EXPECT_NEAR(turned.width, -1080, 1e-9);
    EXPECT_NEAR(turned.height, 1920, 1e-9);
}

TEST(AffineTransform, AppliesToRectsAsTheBoundingBoxOfTheCorners)
{
    Rect turned = applying(Rect(0, 0, 1920, 1080), AffineTransform::rotation(halfPi));
    EXPECT_NEAR(turned.origin.x, -1080, 1e-9);
    EXPECT_NEAR(turned.origin.y, 0, 1e-9);
    EXPECT_NEAR(turned.size.width, 1080, 1e-9);
    EXPECT_NEAR(turned.size.height, 1920, 1e-9);
    EXPECT_EQ(applying(Rect(1, 1, 2, 2), AffineTransform::scaling(-1, 1)), Rect(-3, 1, 2, 2));
    EXPECT_TRUE(applying(Rect::null(), AffineTransform::scaling(2, 2)).isNull());
}

TEST(Point, DescriptionUsesTheShortestExactText)
{
    EXPECT_EQ(describe(Point{1, -2.5}), "(1.0, -2.5)");
    EXPECT_EQ(describe(Point{0.1, 1e-5}), "(0.1, 1e-05)");
    EXPECT_EQ(describe(Point{-0.0, 1e16}), "(-0.0, 1e+16)");
}

}  // namespace
}  // namespace gfx
