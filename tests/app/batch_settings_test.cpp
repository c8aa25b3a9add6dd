// The settings of the batch window's lower half turned into frame times, sizes and formats: each split mode
// gives its interval or count, and values that cannot give sound times are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/batch/batch_settings.h"
#include "app/batch/batch_tasks_controller.h"

namespace {

using vistrel::BatchSettings;
using vistrel::makeSplitter;

const media::TimeRange tenSeconds{media::Time::zero(), media::Time::make(10, 1)};

BatchSettings mode(long row, double value)
{
    BatchSettings s;
    s.splitterRow = row;
    s.seconds = value;
    // Whole counts only of values within their range.
    s.frames = std::fabs(value) < 1e18 ? long(value) : 0;
    s.count = s.frames;
    return s;
}

TEST(BatchSettings, EachModeGivesItsIntervalOrCount)
{
    // Every N frames steps through the movie's own frames, not a rate.
    auto frames = std::make_shared<const std::vector<media::Time>>(
        std::vector<media::Time>{media::Time::make(0, 30000), media::Time::make(1001, 30000)});
    auto splitter = makeSplitter(tenSeconds, frames, mode(1, 5));
    ASSERT_TRUE(splitter);
    EXPECT_EQ(splitter->frameStep, 5);
    EXPECT_EQ(splitter->frameTimes, frames);

    splitter = makeSplitter(tenSeconds, nullptr, mode(0, 2.5));
    ASSERT_TRUE(splitter);
    EXPECT_EQ(splitter->interval.value, 2'500'000'000);
    EXPECT_EQ(splitter->interval.timescale, 1'000'000'000);
    EXPECT_EQ(splitter->timesCount(), 3);

    // The count is set after the range and the ends, which it divides.
    BatchSettings total = mode(2, 4);
    total.includesStart = true;
    total.includesEnd = true;
    splitter = makeSplitter(tenSeconds, nullptr, total);
    ASSERT_TRUE(splitter);
    EXPECT_EQ(splitter->timesCount(), 6);
    EXPECT_EQ(media::compare(splitter->time(1), media::Time::make(2, 1)), 0);
    // A check box in the mixed state counts as off.
    total.includesEnd = std::nullopt;
    EXPECT_EQ(makeSplitter(tenSeconds, nullptr, total)->timesCount(), 5);
}

TEST(BatchSettings, ValuesThatCannotGiveSoundTimesAreRefused)
{
    for (double seconds : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e300, 1e-12})
        EXPECT_FALSE(makeSplitter(tenSeconds, nullptr, mode(0, seconds))) << seconds;
    for (long frames : {0L, -5L})
        EXPECT_FALSE(makeSplitter(tenSeconds, nullptr, mode(1, double(frames)))) << frames;
    EXPECT_FALSE(makeSplitter(tenSeconds, nullptr, mode(2, -1)));
    EXPECT_FALSE(makeSplitter(tenSeconds, nullptr, mode(2, double(std::numeric_limits<std::int32_t>::max()))));
    EXPECT_EQ(makeSplitter(tenSeconds, nullptr, mode(2, 0))->timesCount(), 0);
}

TEST(BatchSettings, SizesFormatsAndProgressText)
{
    EXPECT_EQ(vistrel::usableMaxSize(1920), 1920);
    EXPECT_EQ(vistrel::usableMaxSize(-640), 0);
    EXPECT_EQ(vistrel::usableMaxSize(std::nan("")), 0);
    EXPECT_EQ(vistrel::formatOfTag(1), kestrane::ImageFormat::jpg);
    EXPECT_FALSE(vistrel::formatOfTag(3));
    EXPECT_FALSE(vistrel::formatOfTag(-1));

    using Tasks = vistrel::BatchTasksController;
    EXPECT_EQ(Tasks::progressText(0, 0), "100");
    EXPECT_EQ(Tasks::progressText(1, 3), "33");
    EXPECT_EQ(Tasks::progressText(2, 3), "67");
    EXPECT_EQ(Tasks::progressText(1, 8), "13");
}

}  // namespace
