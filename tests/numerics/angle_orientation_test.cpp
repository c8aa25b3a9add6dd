#include <cmath>
#include <gtest/gtest.h>

#include "numerics/angle.h"
#include "numerics/angle_constants.h"
#include "numerics/directions.h"
#include "numerics/orientation.h"
#include "numerics/rect_anchor.h"

namespace kestrane {
namespace {

TEST(Angle, NormalisesIntoOneTurn)
{
    EXPECT_DOUBLE_EQ(Angle::fromDegrees(-90).degrees(), 270);
    EXPECT_DOUBLE_EQ(Angle::fromRadians(7).radians(), 7 - 2 * M_PI);
    EXPECT_EQ(Angle::fromDegrees(360).radians(), 0);
    Angle a;
    a.setDegrees(450);
    EXPECT_DOUBLE_EQ(a.degrees(), 90);
    EXPECT_EQ(Angle::degreesToRadians(180), PI_1_1);
    EXPECT_EQ(Angle::radiansToDegrees(PI_1_1), 180);
}

TEST(Angle, Complements)
{
    EXPECT_NEAR(Angle::fromDegrees(30).complementary().degrees(), 60, 1e-12);
    EXPECT_NEAR(Angle::fromDegrees(100).complementary().degrees(), 80, 1e-12);
    EXPECT_NEAR(Angle::fromDegrees(120).supplementary().degrees(), 60, 1e-12);
    EXPECT_NEAR(Angle::fromDegrees(90).explementary().degrees(), 270, 1e-12);
    EXPECT_EQ(Angle::zero().explementary().radians(), 0);
}

TEST(Angle, ArithmeticNormalisesButCompoundDoesNot)
{
    EXPECT_NEAR((Angle::fromDegrees(10) - Angle::fromDegrees(30)).degrees(), 340, 1e-12);
    EXPECT_NEAR((Angle::fromDegrees(350) + Angle::fromDegrees(20)).degrees(), 10, 1e-12);
    Angle sum = Angle::fromDegrees(350);
    sum += Angle::fromDegrees(20);
    EXPECT_NEAR(sum.degrees(), 370, 1e-12);
    EXPECT_LT(Angle::fromDegrees(10), Angle::fromDegrees(20));
    EXPECT_EQ(Angle::fromDegrees(90), Angle::right());
}

TEST(Angle, TypeAndDescription)
{
    EXPECT_EQ(Angle::right().type(), Angle::AngleType::right);
    EXPECT_EQ(Angle::straight().type(), Angle::AngleType::straight);
    EXPECT_EQ(Angle::zero().type(), Angle::AngleType::zero);
    EXPECT_EQ(Angle::fromRadians(std::nextafter(PI_1_2, 0.0)).type(), Angle::AngleType::acute);
    EXPECT_EQ(Angle::fromRadians(std::nextafter(PI_1_2, 4.0)).type(), Angle::AngleType::obtuse);
    EXPECT_EQ(Angle::fromDegrees(200).type(), Angle::AngleType::reflex);
    Angle negative = Angle::zero();
    negative -= Angle::fromDegrees(10);
    EXPECT_EQ(negative.type(), Angle::AngleType::reflex);
    EXPECT_EQ(Angle::right().description(), "90.0 deg");
}

TEST(AngleConstants, ExactValues)
{
    EXPECT_EQ(PI_1_1, M_PI);
    EXPECT_EQ(PI_1_2, M_PI / 2);
    EXPECT_EQ(PI_1_3, std::nextafter(M_PI / 3, 2.0));
    EXPECT_EQ(PI_1_4, M_PI / 4);
    EXPECT_EQ(PI_2_1, 2 * M_PI);
    EXPECT_EQ(PI_3_2, 3 * M_PI / 2);
    EXPECT_EQ(PI_3_4, 3 * M_PI / 4);
}

TEST(Orientation, TurnsAndRawValues)
{
    Orientation o = Orientation::up;
    for (int k = 0; k < 4; ++k)
        turnLeft(o);
    EXPECT_EQ(o, Orientation::up);
    EXPECT_EQ(left(Orientation::up), Orientation::left);
    EXPECT_EQ(left(Orientation::left), Orientation::down);
    EXPECT_EQ(right(Orientation::up), Orientation::right);
    EXPECT_EQ(right(Orientation::left), Orientation::up);
    for (Orientation each : {Orientation::up, Orientation::down, Orientation::right, Orientation::left}) {
        EXPECT_EQ(right(left(each)), each);
        EXPECT_EQ(fromRawValue<Orientation>(rawValue(each)), each);
    }
    EXPECT_EQ(rawValue(Orientation::up), 0);
    EXPECT_EQ(rawValue(Orientation::down), 1);
    EXPECT_EQ(rawValue(Orientation::right), 2);
    EXPECT_EQ(rawValue(Orientation::left), 3);
    EXPECT_FALSE(fromRawValue<Orientation>(4).has_value());
    EXPECT_FALSE(fromRawValue<Orientation>(-1).has_value());
    EXPECT_EQ(rawValue(VerticalOrientation::down), 1);
    EXPECT_EQ(rawValue(HorizontalOrientation::right), 1);
    EXPECT_FALSE(fromRawValue<HorizontalOrientation>(2).has_value());
    EXPECT_EQ(toggled(VerticalOrientation::up), VerticalOrientation::down);
    HorizontalOrientation h = HorizontalOrientation::left;
    toggle(h);
    EXPECT_EQ(h, HorizontalOrientation::right);
}

TEST(Directions, CompassTurns)
{
    CardinalDirection d = CardinalDirection::east;
    turnLeft(d);
    EXPECT_EQ(d, CardinalDirection::north);
    turnLeft(d);
    EXPECT_EQ(d, CardinalDirection::west);
    EXPECT_EQ(right(CardinalDirection::east), CardinalDirection::south);
    EXPECT_EQ(right(CardinalDirection::north), CardinalDirection::east);
    EXPECT_EQ(rawValue(CardinalDirection::south), 3);
    EXPECT_EQ(toggled(ClockDirection::clockwise), ClockDirection::antiClockwise);
    EXPECT_FALSE(fromRawValue<ClockDirection>(2).has_value());
}

TEST(RectAnchor, Classification)
{
    EXPECT_TRUE(isTop(RectAnchor::topCenter));
    EXPECT_FALSE(isLeft(RectAnchor::topCenter));
    EXPECT_FALSE(isRight(RectAnchor::topCenter));
    EXPECT_TRUE(isBottom(RectAnchor::bottomRight));
    EXPECT_EQ(opposed(RectAnchor::middleLeft), RectAnchor::middleRight);
    EXPECT_EQ(opposed(RectAnchor::topRight), RectAnchor::bottomLeft);
    for (RectAnchor a : RectAnchors::allCorners)
        EXPECT_TRUE(isCorner(a));
    for (RectAnchor a : RectAnchors::allMiddle)
        EXPECT_TRUE(isMiddle(a));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(rawValue(RectAnchors::allValues[k]), k);
    EXPECT_FALSE(fromRawValue<RectAnchor>(8).has_value());
    RectAnchor a = RectAnchor::topLeft;
    flipVertical(a);
    EXPECT_EQ(a, RectAnchor::bottomLeft);
    flipHorizontal(a);
    EXPECT_EQ(a, RectAnchor::bottomRight);
    RectAnchor m = RectAnchor::middleLeft;
    flipVertical(m);
    EXPECT_EQ(m, RectAnchor::middleLeft);
    RectAnchor c = RectAnchor::topCenter;
    flipHorizontal(c);
    EXPECT_EQ(c, RectAnchor::topCenter);
}

}  // namespace
}  // namespace kestrane
