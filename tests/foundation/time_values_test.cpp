#include "foundation/time_operators.h"
#include "foundation/time_range_values.h"
#include "foundation/time_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace kestrane;
using media::Time;

namespace {

Time seconds(double s) { return TimeStatics::withSeconds(s); }

std::vector<double> drain(TimeSplitIterator it)
{
    std::vector<double> values;
    while (auto t = it.next())
        values.push_back(t->seconds());
    EXPECT_FALSE(it.next().has_value());
    return values;
}

}  // namespace

TEST(TimeValues, SecondsAreNanoseconds)
{
    Time t = TimeStatics::withSeconds(1.0 / 600);
    EXPECT_EQ(t.timescale, 1000000000);
    EXPECT_EQ(t.value, 1666667);
    EXPECT_TRUE(TimeStatics::indefinite().isIndefinite());
}

TEST(TimeValues, ClockTexts)
{
    Time t = seconds(3725.5);
    ClockFieldsWithMilliseconds f = hhmmssms(t);
    EXPECT_EQ(f.hh, 1);
    EXPECT_EQ(f.mm, 2);
    EXPECT_EQ(f.ss, 5);
    EXPECT_EQ(f.ms, 500);
    EXPECT_EQ(hhmmssDesc(t), "01:02:05");
    EXPECT_EQ(hhmmssName(t), "01-02-05");
    EXPECT_EQ(hhmmssmsDesc(t), "01:02:05:500");
    EXPECT_EQ(hhmmssmsName(t), "01-02-05-500");
    EXPECT_EQ(hhmmssDesc(Time::make(360000, 1)), "100:00:00");
    EXPECT_EQ(hhmmssDesc(Time::zero()), "00:00:00");
    EXPECT_EQ(hhmmssmsDesc(Time::zero()), "00:00:00:000");

    Time negative = seconds(-1.5);
    ClockFieldsWithMilliseconds n = hhmmssms(negative);
    EXPECT_EQ(n.ss, -2);
    EXPECT_EQ(n.ms, 500);
    EXPECT_EQ(hhmmssDesc(negative), "00:00:-2");
    EXPECT_EQ(hhmmssmsDesc(negative), "00:00:-2:500");
}

TEST(TimeValues, MillisecondsNeverPrintFourDigits)
{
    // 5.9996 s: the fraction rounds up into the next second instead of printing "1000".
    EXPECT_EQ(hhmmssmsName(seconds(5.9996)), "00-00-06-000");
    EXPECT_EQ(hhmmssmsDesc(Time::make(3599999600LL, 1000000)), "01:00:00:000");
    // A frame start of a 30000/1001 movie whose fraction is above 0.9995.
    Time frame = Time::make(1001 * 989, 30000);  // 32.99963 s
    std::string name = hhmmssmsName(frame);
    EXPECT_EQ(name.size(), std::string("00-00-00-000").size()) << name;
    EXPECT_EQ(name, "00-00-33-000");
    EXPECT_LT(hhmmssms(frame).ms, 1000);
}

TEST(TimeValues, AllClockTextsOfATimeAgree)
{
    // The whole seconds come from the same rounded count of milliseconds as the milliseconds do.
    for (double s : {5.9996, 59.9995, 3599.9999, 0.0004}) {
        const Time t = seconds(s);
        const std::string name = hhmmssName(t), withMilliseconds = hhmmssmsName(t);
        EXPECT_EQ(withMilliseconds.substr(0, name.size()), name) << s;
        EXPECT_EQ(hhmmssmsDesc(t).substr(0, hhmmssDesc(t).size()), hhmmssDesc(t)) << s;
    }
    EXPECT_EQ(hhmmssName(seconds(5.9996)), "00-00-06");
    EXPECT_EQ(hhmmssDesc(seconds(3599.9999)), "01:00:00");
    EXPECT_EQ(hhmmssDesc(seconds(5.4996)), "00:00:05");
    ClockFieldsWithMilliseconds f = hhmmssms(seconds(59.9995));
    EXPECT_EQ(f.mm, 1);
    EXPECT_EQ(f.ss, 0);
    EXPECT_EQ(f.ms, 0);
    EXPECT_EQ(hhmmss(seconds(59.9995)).mm, 1);
}

TEST(TimeValues, TextsOutsideTheClockDomainDoNotCrash)
{
    for (Time t : {Time::invalid(), Time::indefinite(), Time::positiveInfinity(), Time::negativeInfinity(),
                   Time::make(std::numeric_limits<std::int64_t>::max(), 1)}) {
        EXPECT_EQ(hhmmssDesc(t), "00:00:00");
        EXPECT_EQ(hhmmssmsName(t), "00-00-00-000");
    }
}

TEST(TimeValues, NearEqualityAndMiddle)
{
    Time a = Time::make(600, 600);
    EXPECT_FALSE(isNearlyEqualTo(a, Time::make(601, 600)));
    EXPECT_TRUE(isNearlyEqualTo(a, Time::make(1201, 1200)));
    // The double tolerance rounds up to 1,666,667 ns.
    EXPECT_TRUE(isNearlyEqualTo(a, Time::make(601, 600), 1.0 / 600));
    EXPECT_EQ(middle(Time::make(7, 5)), Time::make(7, 10));
}

TEST(TimeValues, Operators)
{
    Time t = Time::make(10, 1);
    EXPECT_DOUBLE_EQ(t / Time::make(1, 25), 250.0);
    EXPECT_EQ(t * 3, Time::make(30, 1));
    EXPECT_EQ(3 * t, Time::make(30, 1));
    EXPECT_EQ(t * 0.5, Time::make(5, 1));
    EXPECT_EQ(t / 4, Time::make(5, 2));
    Time u = t;
    u += Time::make(1, 2);
    EXPECT_EQ(u, Time::make(21, 2));
    u -= Time::make(1, 2);
    u *= 2;
    u /= 5;
    EXPECT_EQ(u, Time::make(4, 1));
    for (std::int32_t scale : {1, 600, 1000000000}) {
        Time two = Time::make(2 * std::int64_t(scale), scale);
        EXPECT_TRUE(two <= 2.0);
        EXPECT_TRUE(two >= 2.0);
        EXPECT_TRUE(two == 2.0);
        EXPECT_TRUE(2.0 == two);
        EXPECT_FALSE(two != 2.0);
        EXPECT_TRUE(Time::make(1, 3) <= 2.0);
        EXPECT_TRUE(1.0 < two);
        EXPECT_FALSE(two < 2.0);
    }
}

TEST(TimeValues, RatiosOfUnusableTimesStayFiniteAsCounts)
{
    EXPECT_TRUE(std::isnan(Time::make(10, 1) / Time::invalid()));
    EXPECT_TRUE(std::isnan(Time::make(10, 1) / Time::indefinite()));
    EXPECT_TRUE(std::isinf(Time::make(10, 1) / Time::make(0, 1)));
    EXPECT_EQ(wholeRatio(Time::make(10, 1), Time::invalid()), 0);
    EXPECT_EQ(wholeRatio(Time::make(10, 1), Time::make(3, 1)), 3);
    EXPECT_EQ(wholeRatio(Time::make(10, 1), Time::make(0, 1)), std::numeric_limits<std::int64_t>::max());
    // Products beyond 64 bits do not overflow.
    Time huge = Time::make(std::numeric_limits<std::int64_t>::max(), 1000000000);
    EXPECT_NEAR(huge / Time::make(1, 1000000000), 9.223372036854775807e18, 1e4);
}

TEST(TimeValues, SplittingGivesExactlyTheMiddlesOfTheCount)
{
    EXPECT_EQ(drain(split(media::TimeRange{Time::make(10, 1), Time::make(4, 1)}, 4)),
              (std::vector<double>{10.5, 11.5, 12.5, 13.5}));
    EXPECT_TRUE(drain(split(Time::make(4, 1), 0)).empty());
    EXPECT_TRUE(drain(split(Time::make(4, 1), -3)).empty());
    EXPECT_TRUE(drain(split(Time::make(4, 1), std::int64_t(1) << 40)).empty());
    EXPECT_EQ(drain(split(Time::make(4, 1), 2)), (std::vector<double>{1, 3}));
    // A clip whose duration does not divide evenly still gives exactly N times, all inside it.
    media::TimeRange clip{Time::make(1001, 30000), Time::make(6001, 600)};
    std::vector<double> times = drain(split(clip, 7));
    ASSERT_EQ(times.size(), 7u);
    EXPECT_LT(times.back(), clip.end().seconds());
}

TEST(TimeRangeValues, Members)
{
    media::TimeRange range{Time::make(2, 1), Time::make(3, 1)};
    EXPECT_EQ(withStart(range, Time::make(5, 1)), (media::TimeRange{Time::make(5, 1), Time::make(3, 1)}));
    EXPECT_EQ(withEnd(range, Time::make(4, 1)), (media::TimeRange{Time::make(2, 1), Time::make(2, 1)}));
    EXPECT_EQ(TimeRangeStatics::withDuration(Time::make(3, 1)).start, Time::zero());
    EXPECT_EQ(clamp(range, Time::make(9, 1)), Time::make(5, 1));
    EXPECT_EQ(unionWith(range, media::TimeRange{Time::make(7, 1), Time::make(1, 1)}),
              (media::TimeRange{Time::make(2, 1), Time::make(6, 1)}));
    EXPECT_TRUE(contains(range, Time::make(2, 1)));
    EXPECT_TRUE(TimeRangeStatics::zero().isEmpty());
    EXPECT_FALSE(TimeRangeStatics::invalid().isValid());
}
