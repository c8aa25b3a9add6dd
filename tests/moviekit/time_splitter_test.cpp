#include "moviekit/time_splitter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using media::Time;
using media::TimeRange;
using orvalis::SplitterIterator;
using orvalis::TimeSplitter;

namespace {

Time sec(double s) { return Time::withSeconds(s, 1000000000); }

std::vector<double> secondsOf(const TimeSplitter& splitter)
{
    std::vector<double> seconds;
    auto times = splitter.generateTimes();
    while (auto t = times.next())
        seconds.push_back(t->seconds());
    return seconds;
}

TimeSplitter over(double start, double duration) { return TimeSplitter(TimeRange{sec(start), sec(duration)}); }

}  // namespace

TEST(TimeSplitter, StartsEmpty)
{
    const TimeSplitter splitter;
    EXPECT_EQ(splitter.timeRange, TimeRange::zero());
    EXPECT_FALSE(splitter.includeStart);
    EXPECT_FALSE(splitter.includeEnd);
    EXPECT_EQ(splitter.interval, Time::zero());
    EXPECT_EQ(splitter.splitCount(), 0);
    EXPECT_EQ(splitter.timesCount(), 0);
    EXPECT_TRUE(secondsOf(splitter).empty());
}

TEST(TimeSplitter, SplitCountDividesTheRangeEvenly)
{
    TimeSplitter splitter = over(0, 10);
    splitter.setSplitCount(4);
    EXPECT_EQ(splitter.interval, sec(2));
    EXPECT_EQ(splitter.splitCount(), 4);
    splitter.includeStart = true;
    splitter.includeEnd = true;
    EXPECT_EQ(splitter.timesCount(), 6);
    EXPECT_EQ(secondsOf(splitter), (std::vector<double>{0, 2, 4, 6, 8, 10}));
}

TEST(TimeSplitter, IntervalsGiveTheMultiplesStrictlyInside)
{
    TimeSplitter splitter = over(0, 10);
    splitter.interval = sec(3);
    EXPECT_EQ(secondsOf(splitter), (std::vector<double>{3, 6, 9}));
    splitter.interval = sec(2.5);
    EXPECT_EQ(secondsOf(splitter), (std::vector<double>{2.5, 5, 7.5}));
    splitter.interval = sec(2);
    EXPECT_EQ(splitter.splitCount(), 4);
    splitter.timeRange.duration = sec(11);
    EXPECT_EQ(splitter.splitCount(), 5);
    splitter.interval = sec(12);
    EXPECT_EQ(splitter.splitCount(), 0);
}

TEST(TimeSplitter, EndsAloneAndShiftedStarts)
{
    TimeSplitter splitter = over(0, 10);
    splitter.setSplitCount(0);
    splitter.includeEnd = true;
    EXPECT_EQ(secondsOf(splitter), (std::vector<double>{10}));

    TimeSplitter shifted = over(5, 10);
    shifted.setSplitCount(4);
    shifted.includeStart = true;
    shifted.includeEnd = true;
    EXPECT_EQ(secondsOf(shifted), (std::vector<double>{5, 7, 9, 11, 13, 15}));
}

TEST(TimeSplitter, UnusableIntervalsGiveNoInnerPoint)
{
    TimeSplitter splitter = over(0, 10);
    splitter.includeEnd = true;
    EXPECT_EQ(splitter.splitCount(), 0);  // interval never set
    EXPECT_EQ(secondsOf(splitter), (std::vector<double>{10}));
    splitter.interval = sec(-1);
    EXPECT_EQ(splitter.splitCount(), 0);
    splitter.interval = Time::invalid();
    EXPECT_EQ(splitter.splitCount(), 0);
    splitter.interval = Time::positiveInfinity();
    EXPECT_EQ(splitter.splitCount(), 0);

    TimeSplitter empty = over(3, 0);
    empty.setSplitCount(5);
    EXPECT_EQ(empty.splitCount(), 0);
    empty.includeStart = true;
    EXPECT_EQ(secondsOf(empty), (std::vector<double>{3}));

    TimeSplitter unknown(TimeRange{Time::zero(), Time::invalid()});
    unknown.setSplitCount(3);
    EXPECT_EQ(unknown.timesCount(), 0);
    TimeSplitter endless(TimeRange{Time::zero(), Time::indefinite()});
    endless.setSplitCount(3);
    EXPECT_EQ(endless.splitCount(), 0);
}

// However a clip's length is written, n points asked for are n points, all strictly inside and in order.
TEST(TimeSplitter, SplitCountIsExactOnOddLengths)
{
    const std::vector<Time> durations = {
        Time::make(1001, 100), Time::make(7, 3), sec(10.01),
        sec(7.0 / 3),          sec(0.1),         Time::make(6001, 600),
        Time::make(1, 30000),  sec(86400.001),   Time::make(123456789, 90000),
    };
    for (const Time& duration : durations) {
        for (std::int64_t n : {0, 1, 2, 3, 6, 7, 11, 29, 99, 997, 9999}) {
            TimeSplitter splitter(TimeRange{sec(1.5), duration});
            splitter.setSplitCount(n);
            ASSERT_EQ(splitter.splitCount(), n) << duration.value << "/" << duration.timescale << " n=" << n;
            splitter.includeStart = true;
            splitter.includeEnd = true;
            ASSERT_EQ(splitter.timesCount(), n + 2);
            for (std::int64_t k = 1; k <= n; ++k) {
                ASSERT_LT(splitter.time(k - 1), splitter.time(k));
                ASSERT_LT(splitter.time(k), splitter.timeRange.end());
            }
            EXPECT_EQ(splitter.time(n + 1), splitter.timeRange.end());
        }
    }
}

TEST(TimeSplitter, GeneratedTimesIgnoreLaterChanges)
{
    TimeSplitter splitter = over(0, 10);
    splitter.setSplitCount(1);
    auto times = splitter.generateTimes();
    splitter.setSplitCount(9);
    splitter.includeStart = true;
    EXPECT_EQ(times.next(), sec(5));
    EXPECT_EQ(times.next(), std::nullopt);
    EXPECT_EQ(times.next(), std::nullopt);
}

TEST(SplitterIterator, WrapsAtBothEnds)
{
    TimeSplitter splitter = over(0, 10);
    splitter.setSplitCount(3);
    splitter.includeEnd = true;

    SplitterIterator forward(splitter);
    EXPECT_EQ(forward.timesCount(), 4);
    EXPECT_EQ(forward.time(), std::nullopt);
    EXPECT_EQ(forward.next(), sec(2.5));
    EXPECT_EQ(forward.next(), sec(5));
    EXPECT_EQ(forward.next(), sec(7.5));
    EXPECT_EQ(forward.next(), sec(10));
    EXPECT_EQ(forward.next(), sec(2.5));
    EXPECT_EQ(forward.previous(), sec(10));
    EXPECT_EQ(forward.index, 3);

    SplitterIterator backward(splitter);
    EXPECT_EQ(backward.previous(), sec(10));
    backward.reset();
    EXPECT_EQ(backward.index, std::nullopt);
    EXPECT_EQ(backward.next(), sec(2.5));
}

TEST(SplitterIterator, EmptyListsGiveNothingAndCopiesKeepTheirValues)
{
    SplitterIterator empty{TimeSplitter()};
    EXPECT_EQ(empty.next(), std::nullopt);
    EXPECT_EQ(empty.previous(), std::nullopt);
    EXPECT_EQ(empty.index, std::nullopt);

    TimeSplitter splitter = over(0, 10);
    splitter.setSplitCount(1);
    SplitterIterator iterator(splitter);
    splitter.setSplitCount(4);
    EXPECT_EQ(iterator.timesCount(), 1);
    EXPECT_EQ(iterator.next(), sec(5));
}

TEST(TimeSplitter, EveryNFramesStepsThroughTheGivenFramesOfTheRange)
{
    // Frames at irregular times; a range from inside frame 2 to frame 9's start.
    auto times = std::make_shared<std::vector<media::Time>>();
    for (int t : {0, 3, 5, 9, 10, 14, 20, 21, 27, 30, 33})
        times->push_back(media::Time::make(t, 10));
    TimeSplitter splitter(TimeRange{media::Time::make(6, 10), media::Time::make(24, 10)});
    splitter.frameStep = 2;
    EXPECT_EQ(splitter.timesCount(), 0);  // frames not given yet
    splitter.frameTimes = times;
    splitter.includeStart = true;
    // Frame 2 shows at the start; then frames 4, 6, 8 (frame 9 starts at the end).
    ASSERT_EQ(splitter.timesCount(), 4);
    EXPECT_EQ(splitter.time(0), media::Time::make(6, 10));
    EXPECT_EQ(splitter.time(1), media::Time::make(10, 10));
    EXPECT_EQ(splitter.time(2), media::Time::make(20, 10));
    EXPECT_EQ(splitter.time(3), media::Time::make(27, 10));
    // Steps that land on frame 9, which starts where the range ends and so lies outside it.
    splitter.includeStart = false;
    splitter.frameStep = 7;
    EXPECT_EQ(splitter.timesCount(), 0);
    splitter.frameStep = 1;
    ASSERT_EQ(splitter.timesCount(), 6);
    EXPECT_EQ(splitter.time(5), media::Time::make(27, 10));
    splitter.frameStep = 2;
    splitter.frameTimes = std::make_shared<std::vector<media::Time>>();
    splitter.includeStart = true;
    EXPECT_EQ(splitter.timesCount(), 1);
}
