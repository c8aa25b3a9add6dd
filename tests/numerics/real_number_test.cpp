#include "numerics/real_number.h"

#include <cmath>
#include <gtest/gtest.h>

#include "numerics/int_extensions.h"
#include "numerics/real_math.h"
#include "numerics/size_geometry.h"

#include <limits>

namespace kestrane {
namespace {

TEST(RealNumber, Constants)
{
    EXPECT_EQ(SimilarityPlaces, 6);
    EXPECT_EQ(OverlapTolerance, 5e-06);
    EXPECT_EQ(SolverMaxIterations, 100);
}

TEST(RealNumber, SignNormAndAbsOnZeros)
{
    EXPECT_EQ(sign(0.0), 1.0);
    EXPECT_EQ(sign(-0.0), 1.0);
    EXPECT_EQ(sign(-2.5), -1.0);
    EXPECT_EQ(sign(NAN), -1.0);
    EXPECT_EQ(sign(std::int64_t(0)), 1);
    EXPECT_TRUE(std::signbit(norm(-0.0)));
    EXPECT_FALSE(std::signbit(kestrane::abs(-0.0)));
    EXPECT_EQ(norm(-3.0), 3.0);
}

TEST(RealNumber, DecimalRoundingHalvesAwayFromZero)
{
    EXPECT_EQ(round(1.25, 1), 1.3);
    EXPECT_EQ(round(-1.25, 1), -1.3);
    EXPECT_EQ(truncate(-1.99, 1), -1.9);
    EXPECT_EQ(truncate(1.99, 1), 1.9);
    EXPECT_EQ(roundInt(2.56, 1), 2);
    EXPECT_EQ(roundInt(2.5), 3);
    EXPECT_EQ(roundInt(-2.5), -3);
    EXPECT_EQ(ceilInt(2.1), 3);
    EXPECT_EQ(floorInt(-2.1), -3);
    EXPECT_EQ(round(2.5f), 3.0f);
}

TEST(RealNumber, PositiveModKeepsMinusZero)
{
    EXPECT_EQ(positiveMod(-1.0, 3.0), 2.0);
    EXPECT_EQ(positiveMod(4.0, 3.0), 1.0);
    double r = positiveMod(-3.0, 3.0);
    EXPECT_EQ(r, 0.0);
    EXPECT_TRUE(std::signbit(r));
    EXPECT_TRUE(std::isnan(positiveMod(1.0, 0.0)));
    EXPECT_EQ(mod(-7.0, 3.0), -1.0);
}

TEST(RealNumber, GlueWindowIsOpen)
{
    EXPECT_EQ(glue(0.97, 1.0, 0.05), 1.0);
    EXPECT_EQ(glue(0.95, 1.0, 0.05), 0.95);
    EXPECT_EQ(glue(1.04f, 1.0f, 0.05f), 1.0f);
    EXPECT_EQ(glue(0.95f, 1.0f, 0.05f), 0.95f);
}

TEST(RealNumber, ClampAppliesTheUpperBoundFirst)
{
    EXPECT_EQ(clamp(5.0, 0.0, 1.0), 1.0);
    EXPECT_EQ(clamp(-1.0, 0.0, 1.0), 0.0);
    EXPECT_EQ(clamp(0.5, 2.0, 1.0), 2.0);
}

TEST(RealNumber, SimilarityAndOverlap)
{
    EXPECT_FALSE(isSimilarTo(1.0000005, 1.0000004));
    EXPECT_TRUE(isSimilarTo(1.0000004, 1.0000001));
    EXPECT_FALSE(isSimilarTo(NAN, NAN));
    EXPECT_TRUE(overlap(0.5, 0.25, 0.25));
    EXPECT_FALSE(overlap(0.5, 0.2, 0.25));
    EXPECT_TRUE(overlap(1.0, 1.000004));
    EXPECT_TRUE(overlap(0.0, -0.000005));
}

TEST(RealNumber, ConversionsAndUnits)
{
    EXPECT_EQ(toByte(1.0), 255);
    EXPECT_EQ(toByte(0.999), 254);
    EXPECT_EQ(toByte(0.5), 127);
    EXPECT_EQ(points2inches(72.0), 72.0 * 0.0138889);
    EXPECT_EQ(points2mm(1.0), 0.352778);
    EXPECT_EQ(mm2points(1.0), 2.834645669);
    EXPECT_EQ(mm2inches(1.0), 0.0393700787);
    EXPECT_EQ(days2seconds(2.0), 172800.0);
    EXPECT_EQ(weeks2seconds(1.0), 604800.0);
    EXPECT_TRUE(isInteger(3.0));
    EXPECT_FALSE(isInteger(3.5));
    EXPECT_EQ(intValue(-2.9), -2);
    EXPECT_EQ(intValue(2.9f), 2);
}

TEST(RealNumber, IntegerConversionsGiveZeroForNaNAndSaturateOutOfRange)
{
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int64_t>::max();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (auto convert : {+[](double v) { return intValue(v); }, +[](double v) { return ceilInt(v); },
                         +[](double v) { return floorInt(v); }, +[](double v) { return roundInt(v); },
                         +[](double v) { return roundInt(v, 2); }}) {
        EXPECT_EQ(convert(nan), 0);
        EXPECT_EQ(convert(inf), highest);
        EXPECT_EQ(convert(-inf), lowest);
        EXPECT_EQ(convert(1e19), highest);
        EXPECT_EQ(convert(-1e300), lowest);
    }
    // The ends of the range itself: −2^63 fits, 2^63 does not.
    EXPECT_EQ(intValue(-9223372036854775808.0), lowest);
    EXPECT_EQ(intValue(9223372036854775808.0), highest);
    EXPECT_EQ(intValue(9223372036854774784.0), 9223372036854774784);
    EXPECT_EQ(intValue(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(ceilInt(1e30f), highest);
    // A slot count of a bar not laid out yet: 572 / 0.
    EXPECT_EQ(ceilInt(572.0 / 0.0), highest);
    EXPECT_EQ(toByte(nan), 0);
    EXPECT_EQ(roundIntDesc(gfx::Size{nan, -inf}), "0 x " + std::to_string(lowest));
}

TEST(RealNumber, RandomValuesStayInTheirRange)
{
    for (int k = 0; k < 1000; ++k) {
        double unit = Random<double>::randomUnitValue();
        EXPECT_GE(unit, 0.0);
        EXPECT_LT(unit, 1.0);
        EXPECT_EQ(unit, std::round(unit * 100) / 100);
        double ranged = Random<double>::randomValue(10.0, 20.0);
        EXPECT_GE(ranged, 10.0);
        EXPECT_LT(ranged, 20.0);
        EXPECT_LT(Int::random(), 2147483647);
        EXPECT_GE(Int::random(), 0);
    }
}

TEST(RealMath, MinMaxTiesAndSinglePrecision)
{
    EXPECT_TRUE(std::signbit(Double::min(-0.0, 0.0)));   // a tie gives the first
    EXPECT_FALSE(std::signbit(Double::max(-0.0, 0.0)));  // and the second
    EXPECT_EQ(Double::max(1.0, 2.0), 2.0);
    EXPECT_EQ(Float::sqrt(2.0f), std::sqrt(2.0f));
    EXPECT_EQ(Double::atan2(1.0, 0.0), std::atan2(1.0, 0.0));
}

TEST(IntExtensions, Members)
{
    EXPECT_EQ(sign(std::int64_t(-4)), -1);
    EXPECT_EQ(kestrane::abs(std::int64_t(-4)), 4);
    EXPECT_EQ(kestrane::pow(std::int64_t(3), std::int64_t(4)), 81);
    EXPECT_EQ(factorial(0), 1);
    EXPECT_EQ(factorial(5), 120);
    EXPECT_EQ(factorial(20), 2432902008176640000);
    EXPECT_EQ(clamp(std::int64_t(12), std::int64_t(0), std::int64_t(10)), 10);
    EXPECT_EQ(clamp(std::int64_t(5), std::int64_t(8), std::int64_t(3)), 8);
    EXPECT_EQ(Int::max(3, 7), 7);
    EXPECT_EQ(Int::min(3, 7), 3);
}

}  // namespace
}  // namespace kestrane
