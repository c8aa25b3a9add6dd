#include "platform/media/time.h"
#include "platform/media/time_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using media::Time;
using media::TimeRange;

namespace {

Time t(std::int64_t value, std::int32_t timescale) { return Time::make(value, timescale); }

}  // namespace

TEST(Time, MakeAndSeconds)
{
    EXPECT_DOUBLE_EQ(t(6001, 600).seconds(), 6001.0 / 600);
    EXPECT_FALSE(t(1, 0).isValid());
    EXPECT_FALSE(t(1, -5).isValid());
    EXPECT_TRUE(std::isnan(Time::invalid().seconds()));
    EXPECT_TRUE(std::isnan(Time::indefinite().seconds()));
    EXPECT_EQ(Time::positiveInfinity().seconds(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Time::negativeInfinity().seconds(), -std::numeric_limits<double>::infinity());
}

TEST(Time, WithSecondsRoundsHalfAwayFromZeroAndFlagsIt)
{
    Time a = Time::withSeconds(1.0 / 600, 1000000000);
    EXPECT_EQ(a.value, 1666667);
    EXPECT_TRUE(a.hasBeenRounded());
    EXPECT_EQ(Time::withSeconds(-2.5, 1).value, -3);
    EXPECT_EQ(Time::withSeconds(2.5, 1).value, 3);
    Time exact = Time::withSeconds(3.25, 4);
    EXPECT_EQ(exact.value, 13);
    EXPECT_FALSE(exact.hasBeenRounded());
    EXPECT_FALSE(Time::withSeconds(NAN, 600).isValid());
    EXPECT_FALSE(Time::withSeconds(1, 0).isValid());
    EXPECT_TRUE(Time::withSeconds(INFINITY, 600).isPositiveInfinity());
    EXPECT_TRUE(Time::withSeconds(-INFINITY, 600).isNegativeInfinity());
    // Too large for the timescale: the timescale gives way, the seconds stay.
    Time huge = Time::withSeconds(1e12, 1000000000);
    EXPECT_NEAR(huge.seconds(), 1e12, 1);
    EXPECT_LT(huge.timescale, 1000000000);
}

TEST(Time, AdditionIsExactOnTheCommonTimescale)
{
    Time sum = t(1, 600) + t(1, 25);
    EXPECT_EQ(sum.timescale, 600);
    EXPECT_EQ(sum.value, 25);
    EXPECT_FALSE(sum.hasBeenRounded());
    Time odd = t(1, 30000) + t(1, 1001);
    EXPECT_EQ(odd, t(1001 + 30000, 30030000));
    EXPECT_EQ(odd.timescale, 30030000);
    EXPECT_EQ(t(5, 3) - t(1, 3), t(4, 3));
    // Timescales whose common multiple does not fit round on the largest timescale.
    Time rounded = t(1, 2147483647) + t(1, 2147483646);
    EXPECT_EQ(rounded.timescale, Time::maxTimescale);
    EXPECT_TRUE(rounded.hasBeenRounded());
    // Overflow halves the timescale instead of wrapping.
    Time big = t(std::numeric_limits<std::int64_t>::max(), 1000) + t(std::numeric_limits<std::int64_t>::max(), 1000);
    EXPECT_TRUE(big.isNumeric());
    EXPECT_NEAR(big.seconds(), 2 * 9.223372036854775807e15, 1e3);
    EXPECT_TRUE(big.hasBeenRounded());
    Time past = t(std::numeric_limits<std::int64_t>::max(), 1) + t(1, 1);
    EXPECT_TRUE(past.isPositiveInfinity());
}

TEST(Time, SpecialValuesInSums)
{
    EXPECT_FALSE((Time::invalid() + t(1, 1)).isValid());
    EXPECT_FALSE((Time::positiveInfinity() + Time::negativeInfinity()).isValid());
    EXPECT_FALSE((Time::positiveInfinity() - Time::positiveInfinity()).isValid());
    EXPECT_TRUE((Time::positiveInfinity() + Time::indefinite()).isPositiveInfinity());
    EXPECT_TRUE((t(1, 1) - Time::positiveInfinity()).isNegativeInfinity());
    EXPECT_TRUE((Time::indefinite() + t(1, 1)).isIndefinite());
    Time roundedOperand = Time::withSeconds(0.1, 3);
    EXPECT_TRUE((roundedOperand + t(1, 3)).hasBeenRounded());
}

TEST(Time, CompareOrdersEverything)
{
    std::vector<Time> ascending = {Time::negativeInfinity(),
                                   t(-1, 1),
                                   t(0, 7),
                                   t(1, 3),
                                   t(std::numeric_limits<std::int64_t>::max(), 1),
                                   Time::indefinite(),
                                   Time::positiveInfinity(),
                                   Time::invalid()};
    for (std::size_t i = 0; i < ascending.size(); ++i)
        for (std::size_t j = 0; j < ascending.size(); ++j)
            EXPECT_EQ(compare(ascending[i], ascending[j]), i < j ? -1 : i > j ? 1 : 0) << i << " " << j;
    // Cross products of huge values must not overflow.
    Time a = t(std::numeric_limits<std::int64_t>::max(), Time::maxTimescale);
    Time b = t(std::numeric_limits<std::int64_t>::max() - 1, Time::maxTimescale - 1);
    EXPECT_LT(a, b);
    EXPECT_EQ(t(1, 2), t(300, 600));
    Time later = t(0, 1);
    later.epoch = 1;
    EXPECT_GT(later, t(100, 1));
}

TEST(Time, Multiplication)
{
    EXPECT_EQ(multiply(t(7, 600), 3).value, 21);
    EXPECT_EQ(multiply(t(7, 600), 3).timescale, 600);
    EXPECT_TRUE(multiply(Time::positiveInfinity(), 3).isPositiveInfinity());
    Time f = multiplyByFloat64(t(1, 30), 0.5);
    EXPECT_GE(f.timescale, 65536);
    EXPECT_EQ(f, t(1, 60));
    EXPECT_FALSE(multiplyByFloat64(t(1, 30), NAN).isValid());

    Time exact = multiplyByRatio(t(6001, 600), 1, 3);
    EXPECT_EQ(exact.value, 6001);
    EXPECT_EQ(exact.timescale, 1800);
    EXPECT_FALSE(exact.hasBeenRounded());
    EXPECT_EQ(multiplyByRatio(t(4, 1), 1, 2), t(2, 1));
    EXPECT_EQ(multiplyByRatio(t(1, 1), -1, 2), t(-1, 2));
    EXPECT_FALSE(multiplyByRatio(t(0, 1), 1, 0).isValid());
    EXPECT_TRUE(multiplyByRatio(t(3, 1), 1, 0).isPositiveInfinity());
    EXPECT_TRUE(multiplyByRatio(t(-3, 1), 1, 0).isNegativeInfinity());
    Time inexact = multiplyByRatio(t(1, 1000000000), 1, 3);
    EXPECT_TRUE(inexact.hasBeenRounded());
    // The finest timescale errs less than the original one (which would give 0).
    EXPECT_EQ(inexact.timescale, Time::maxTimescale);
    EXPECT_NEAR(inexact.seconds(), 1e-9 / 3, 0.5 / Time::maxTimescale);
}

TEST(Time, SplittingIntoNEqualStepsGivesExactlyNTimes)
{
    // The step is exact, so N steps land exactly on the end, never one short (which would add a time).
    for (int n : {3, 7, 29, 1000}) {
        Time duration = t(6001, 600);
        Time step = multiplyByRatio(duration, 1, n);
        Time cursor = Time::zero();
        int count = 0;
        while (cursor < duration) {
            cursor = cursor + step;
            ++count;
        }
        EXPECT_EQ(count, n);
        EXPECT_EQ(cursor, duration);
    }
}

TEST(Time, ConvertScaleAbsoluteMinMax)
{
    Time c = convertScale(t(1, 3), 10);
    EXPECT_EQ(c.value, 3);
    EXPECT_TRUE(c.hasBeenRounded());
    EXPECT_EQ(convertScale(t(1, 3), 10, media::Rounding::awayFromZero).value, 4);
    EXPECT_EQ(convertScale(t(-1, 3), 10, media::Rounding::towardNegativeInfinity).value, -4);
    EXPECT_EQ(convertScale(t(1, 2), 10).value, 5);
    EXPECT_FALSE(convertScale(t(1, 2), 10).hasBeenRounded());
    EXPECT_EQ(absoluteValue(t(-5, 3)), t(5, 3));
    EXPECT_TRUE(absoluteValue(Time::negativeInfinity()).isPositiveInfinity());
    EXPECT_EQ(minimum(t(1, 2), t(1, 3)), t(1, 3));
    EXPECT_EQ(maximum(t(1, 2), t(1, 3)), t(1, 2));
    EXPECT_FALSE(maximum(Time::invalid(), t(1, 3)).isValid());
}

TEST(Time, DivisionRoundsTiesAwayFromZero)
{
    // Exact halves on the new timescale, of both signs: 0.05 s is half a tenth.
    EXPECT_EQ(convertScale(t(1, 20), 10).value, 1);
    EXPECT_EQ(convertScale(t(-1, 20), 10).value, -1);
    EXPECT_EQ(convertScale(t(3, 20), 10).value, 2);
    EXPECT_EQ(convertScale(t(-3, 20), 10).value, -2);
    EXPECT_TRUE(convertScale(t(1, 20), 10).hasBeenRounded());
    // Just under a half goes toward zero.
    EXPECT_EQ(convertScale(t(49, 1000), 10).value, 0);
    EXPECT_EQ(convertScale(t(-49, 1000), 10).value, 0);
}

TEST(TimeRange, ContainmentIntersectionUnionClamp)
{
    TimeRange r = TimeRange::make(t(2, 1), t(3, 1));
    EXPECT_EQ(r.end(), t(5, 1));
    EXPECT_TRUE(contains(r, t(2, 1)));
    EXPECT_TRUE(contains(r, t(4999, 1000)));
    EXPECT_FALSE(contains(r, t(5, 1)));
    EXPECT_TRUE(contains(r, TimeRange::fromTo(t(3, 1), t(5, 1))));
    EXPECT_FALSE(contains(r, TimeRange::fromTo(t(3, 1), t(5001, 1000))));

    TimeRange other = TimeRange::fromTo(t(4, 1), t(9, 1));
    EXPECT_EQ(intersection(r, other), TimeRange::fromTo(t(4, 1), t(5, 1)));
    EXPECT_EQ(unionOf(r, other), TimeRange::fromTo(t(2, 1), t(9, 1)));
    TimeRange disjoint = intersection(r, TimeRange::fromTo(t(7, 1), t(8, 1)));
    EXPECT_EQ(disjoint.duration, Time::zero());
    EXPECT_TRUE(disjoint.isEmpty());

    EXPECT_EQ(clamp(t(1, 1), r), t(2, 1));
    EXPECT_EQ(clamp(t(6, 1), r), t(5, 1));
    EXPECT_EQ(clamp(t(3, 1), r), t(3, 1));
    EXPECT_FALSE(clamp(t(3, 1), TimeRange::make(t(1, 1), Time::zero())).isValid());
    EXPECT_FALSE(TimeRange::invalid().isValid());
    EXPECT_FALSE(TimeRange::make(t(0, 1), t(-1, 1)).isValid());
}
