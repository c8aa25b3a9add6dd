// Every N frames takes the movie's own frames 0, N, 2N, … whatever its rate (fractional, variable) and
// wherever its stream starts, and the count the window shows is the number of files written.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <string>

#include "app/batch/batch_settings.h"
#include "app/batch/batch_task.h"
#include "app/document/defaults_keys.h"
#include "foundation/shortcuts.h"
#include "foundation/time_range_values.h"
#include "tests/app/batch_fixture.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace {

namespace fs = std::filesystem;

struct Case {
    std::string name;
    int rateNum;
    int rateDen;
    int frameCount;
    bool variable = false;
    std::int64_t startTicks = 0;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class BatchEveryFramesTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = core::Array{
            core::Value("f"), core::Value("<frame_index>"), core::Value("."), core::Value("<image_extension>")};
        const Case& c = GetParam();
        testmovie::MovieSpec spec;
        spec.rateNum = c.rateNum;
        spec.rateDen = c.rateDen;
        spec.frameCount = c.frameCount;
        spec.variableFrameRate = c.variable;
        spec.startTicks = c.startTicks;
        spec.keyInterval = 10;
        path = (movies.path() / c.name).string();
        testmovie::writeMovie(path, spec);
    }
    void TearDown() override { kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = nullptr; }

    // Runs every-N-frames over the whole movie; the frame times are read by the task itself unless given.
    std::shared_ptr<vistrel::BatchTask> run(long n, bool includesStart, bool framesKnown,
                                            std::int64_t* shownCount = nullptr)
    {
        auto movie = orvalis::Movie::create(core::Url::fileURL(path));
        vistrel::BatchSettings settings;
        settings.splitterRow = 1;
        settings.frames = n;
        settings.includesStart = includesStart;
        const auto range = kestrane::TimeRangeStatics::withDuration(movie->duration());
        if (shownCount) *shownCount = vistrel::makeSplitter(range, movie->frameTimes(), settings)->timesCount();
        auto splitter = vistrel::makeSplitter(range, framesKnown ? movie->frameTimes() : nullptr, settings);
        auto task = std::make_shared<batchtest::EndingTask>(movie, core::Url::fileURL(out.path().string()));
        task->setSplitter(*splitter);
        batchtest::endWithTest(task);
        task->start();
        EXPECT_TRUE(batchtest::runUntilFinished({task}, 60));
        return task;
    }

    // The frame indexes the written files show.
    std::multiset<int> framesWritten() const
    {
        std::multiset<int> frames;
        for (const auto& name : batchtest::fileNames(out.path()))
            frames.insert(batchtest::frameIndexIn(out.path() / name));
        return frames;
    }

    testsupport::TempDir movies{"movies"};
    testsupport::TempDir out{"out"};
    batchtest::TasksEnd tasksEnd;
    std::string path;
};

std::multiset<int> multiples(int n, int below, bool withZero)
{
    std::multiset<int> frames;
    for (int k = withZero ? 0 : n; k < below; k += n)
        frames.insert(k);
    return frames;
}

TEST_P(BatchEveryFramesTest, WritesFramesZeroNTwoNAndAsManyAsItCounted)
{
    const int frameCount = GetParam().frameCount;
    std::int64_t shown = 0;
    auto task = run(25, true, true, &shown);
    EXPECT_EQ(framesWritten(), multiples(25, frameCount, true));
    EXPECT_EQ(shown, std::int64_t(batchtest::fileNames(out.path()).size()));
    EXPECT_EQ(task->count(), shown);
    EXPECT_EQ(task->errors(), 0);

    // Without the start, N, 2N, …; the task reads the frame times itself when the launch did not know them.
    fs::remove_all(out.path());
    fs::create_directory(out.path());
    task = run(7, false, false);
    EXPECT_EQ(framesWritten(), multiples(7, frameCount, false));
    EXPECT_EQ(task->count(), std::int64_t(batchtest::fileNames(out.path()).size()));
}

INSTANTIATE_TEST_SUITE_P(Rates, BatchEveryFramesTest,
                         ::testing::Values(Case{"ntsc.mp4", 30000, 1001, 80}, Case{"film.mkv", 24000, 1001, 80},
                                           Case{"pal.mp4", 25, 1, 80}, Case{"sixty.mp4", 60, 1, 130},
                                           Case{"variable.mkv", 30, 1, 80, true},
                                           Case{"offset.ts", 30000, 1001, 80, false, 30000 * 7}),
                         [](const auto& info) { return info.param.name.substr(0, info.param.name.find('.')); });

}  // namespace
