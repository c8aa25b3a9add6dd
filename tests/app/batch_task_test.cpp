#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

#include "app/batch/batch_task.h"
#include "app/document/defaults_keys.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "moviekit/image_namer.h"
#include "tests/app/batch_fixture.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/full_folder.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace {

using batchtest::everyTenths;
using batchtest::fileNames;
using batchtest::frameIndexIn;
using vistrel::BatchState;
using vistrel::BatchTask;
using vistrel::BatchTurns;

namespace fs = std::filesystem;

class BatchTaskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        movie = batchtest::makeMovie(movies.path(), "Beach Day.mp4");
        kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = nullptr;
    }
    void TearDown() override { kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = nullptr; }

    std::shared_ptr<BatchTask> run(const orvalis::TimeSplitter& splitter,
                                   const std::function<void(BatchTask&)>& setUp = {})
    {
        auto task = batchtest::makeTask(movie, out.path(), splitter);
        if (setUp) setUp(*task);
        task->start();
        EXPECT_TRUE(batchtest::runUntilFinished({task}));
        return task;
    }

    testsupport::TempDir movies{"movies"};
    testsupport::TempDir out{"out"};
    batchtest::TasksEnd tasksEnd;
    std::string movie;
};

TEST_F(BatchTaskTest, WritesEachFrameUnderTheDefaultTemplateWithTheExactPicture)
{
    auto task = run(everyTenths(5, 30, true), [](BatchTask& t) { t.setShouldWriteLog(true); });
    EXPECT_EQ(task->state(), BatchState::complete);
    EXPECT_EQ(task->count(), 6);
    EXPECT_EQ(task->index(), 6);
    EXPECT_EQ(task->errors(), 0);
    const std::vector<std::string> expected = {"Beach Day-00-00-00-000.png", "Beach Day-00-00-00-500.png",
                                               "Beach Day-00-00-01-000.png", "Beach Day-00-00-01-500.png",
                                               "Beach Day-00-00-02-000.png", "Beach Day-00-00-02-500.png",
                                               "Beach Day-logs.txt"};
    EXPECT_EQ(fileNames(out.path()), expected);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(frameIndexIn(out / expected[std::size_t(k)]), k * 5) << expected[std::size_t(k)];
    // No failure: the log holds its header alone.
    EXPECT_EQ(batchtest::readText(out / "Beach Day-logs.txt"),
              "File url    : " + movie + "\nDest url    : " + out.path().string() +
                  "\nFormat      : png\nCount       : 6\nSize        : 0.0 (no limit)\n\n");
}

TEST_F(BatchTaskTest, FollowsTheStoredTemplateFormatAndSize)
{
    kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = core::Array{
        core::Value("shot"), core::Value("<frame_index>"),    core::Value("of"), core::Value("<frames_count>"),
        core::Value("."),    core::Value("<image_extension>")};
    auto task = run(everyTenths(10, 30), [](BatchTask& t) {
        t.setFormat(kestrane::ImageFormat::jpg);
        t.setMaxSize(80);
    });
    EXPECT_EQ(fileNames(out.path()), (std::vector<std::string>{"shot1of2.jpg", "shot2of2.jpg"}));
    EXPECT_EQ(frameIndexIn(out / "shot1of2.jpg"), 10);
    EXPECT_EQ(frameIndexIn(out / "shot2of2.jpg"), 20);
    auto image = kestrane::CGImage::image(core::Url::fileURL((out / "shot2of2.jpg").string()));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 80);
    EXPECT_EQ(image->height(), 60);
}

TEST_F(BatchTaskTest, LogsFramesThatCannotBeGrabbedAndGoesOn)
{
    // Times 1 to 5 s in a 3 s movie: the frames at 4 and 5 s do not exist.
    auto task = run(everyTenths(10, 60), [](BatchTask& t) {
        t.setShouldWriteLog(true);
        t.setMaxSize(1920);
    });
    EXPECT_EQ(task->state(), BatchState::complete);
    EXPECT_EQ(task->index(), 5);
    EXPECT_EQ(task->errors(), 2);
    EXPECT_EQ(fileNames(out.path()).size(), 4u);
    // Frames run side by side and may fail in either order; the log lists them by time, each with the
    // engine's reason.
    const std::string header = "File url    : " + movie + "\nDest url    : " + out.path().string() +
                               "\nFormat      : png\nCount       : 5\nSize        : 1920.0\n\n";
    const std::string log = batchtest::readText(out / "Beach Day-logs.txt");
    ASSERT_EQ(log.substr(0, header.size()), header) << log;
    std::istringstream lines(log.substr(header.size()));
    std::vector<std::string> failures;
    for (std::string line; std::getline(lines, line);)
        failures.push_back(line);
    ASSERT_EQ(failures.size(), 2u) << log;
    const std::string at4 = "Cannot snap image at time : 00:00:04:000: ";
    const std::string at5 = "Cannot snap image at time : 00:00:05:000: ";
    EXPECT_EQ(failures[0].substr(0, at4.size()), at4) << log;
    EXPECT_GT(failures[0].size(), at4.size()) << log;
    EXPECT_EQ(failures[1].substr(0, at5.size()), at5) << log;
    EXPECT_GT(failures[1].size(), at5.size()) << log;
    EXPECT_EQ(task->failedFrames(20), failures);
}

// Movies cut short, as a download that stopped leaves them: the frames past the cut are errors, never a copy of
// the last frame that decodes under a later time's name.
TEST_F(BatchTaskTest, FramesPastTheCutOfAMovieCutShortAreErrors)
{
    for (const std::string extension : {"mkv", "webm", "mp4", "ts", "avi"}) {
        SCOPED_TRACE(extension);
        testmovie::MovieSpec spec;
        spec.codec = extension == "webm" ? testmovie::Codec::vp9 : testmovie::Codec::h264;
        spec.rateNum = batchtest::rate;
        spec.rateDen = 1;
        spec.frameCount = 3 * batchtest::rate;
        spec.keyInterval = 8;
        movie = (movies / ("Cut." + extension)).string();
        testmovie::writeMovie(movie, spec);
        fs::resize_file(movie, fs::file_size(movie) / 2);
        testsupport::TempDir folder("cut-" + extension);
        auto task = batchtest::makeTask(movie, folder.path(), everyTenths(5, 30, true));
        task->start();
        ASSERT_TRUE(batchtest::runUntilFinished({task}));
        EXPECT_EQ(task->index(), 6);
        EXPECT_GT(task->errors(), 0);
        const auto names = fileNames(folder.path());
        EXPECT_EQ(std::int64_t(names.size()) + task->errors(), 6);
        for (const auto& name : names) {
            // "Cut-00-00-01-500.png": the frame of 1.5 s, index 15 at 10 frames a second.
            const int seconds = std::stoi(name.substr(10, 2)), milliseconds = std::stoi(name.substr(13, 3));
            EXPECT_EQ(frameIndexIn(folder / name), seconds * 10 + milliseconds / 100) << name;
        }
    }
}

TEST_F(BatchTaskTest, ALogThatCannotBeWrittenIsAnErrorOfItsTaskWithTheSystemsReason)
{
    // A folder where the log should go: every frame is written, the log cannot be.
    fs::create_directory(out / "Beach Day-logs.txt");
    auto task = run(everyTenths(10, 20), [](BatchTask& t) { t.setShouldWriteLog(true); });
    EXPECT_EQ(task->state(), BatchState::complete);
    EXPECT_EQ(frameIndexIn(out / "Beach Day-00-00-01-000.png"), 10);
    EXPECT_EQ(task->errors(), 1);
    ASSERT_TRUE(task->logFailure());
    EXPECT_NE(task->logFailure()->find("Beach Day-logs.txt"), std::string::npos) << *task->logFailure();
    EXPECT_NE(task->logFailure()->find("Is a directory"), std::string::npos) << *task->logFailure();

    // A full disk.
    testsupport::FullFolder full;
    if (!full.mounted()) GTEST_SKIP() << "no right to mount a small file system here";
    auto onFull = batchtest::makeTask(movie, full.path(), everyTenths(10, 20));
    onFull->setShouldWriteLog(true);
    onFull->start();
    ASSERT_TRUE(batchtest::runUntilFinished({onFull}));
    ASSERT_TRUE(onFull->logFailure());
    EXPECT_NE(onFull->logFailure()->find("No space left on device"), std::string::npos) << *onFull->logFailure();
    EXPECT_EQ(onFull->errors(), 2) << "the frame and the log";

    // A log that is written is no error.
    EXPECT_FALSE(run(everyTenths(10, 20), [](BatchTask& t) { t.setShouldWriteLog(false); })->logFailure());
}

TEST_F(BatchTaskTest, KeepsTakenNamesWhenAskedAndReplacesThemOtherwise)
{
    const fs::path taken = out / "Beach Day-00-00-01-000.png";
    const fs::path takenLog = out / "Beach Day-logs.txt";
    for (const auto& path : {taken, takenLog})
        std::ofstream(path) << "mine";

    run(everyTenths(10, 20), [](BatchTask& t) {
        t.setUseAlternativeName(true);
        t.setShouldWriteLog(true);
    });
    EXPECT_EQ(batchtest::readText(taken), "mine");
    EXPECT_EQ(batchtest::readText(takenLog), "mine");
    EXPECT_EQ(frameIndexIn(out / "Beach Day-00-00-01-000 (0).png"), 10);
    EXPECT_NE(batchtest::readText(out / "Beach Day-logs (0).txt").find("Count       : 1\n"), std::string::npos);

    run(everyTenths(10, 20), [](BatchTask& t) { t.setShouldWriteLog(true); });
    EXPECT_EQ(frameIndexIn(taken), 10);
    EXPECT_NE(batchtest::readText(takenLog).find("Count       : 1\n"), std::string::npos);
    EXPECT_EQ(fileNames(out.path()).size(), 4u);
}

TEST_F(BatchTaskTest, FramesOfOneNameGetFreeNamesWhateverTheSetting)
{
    kestrane::Defaults[vistrel::BatchOutputMarkupsKey] =
        core::Array{core::Value("same"), core::Value("."), core::Value("<image_extension>")};
    run(everyTenths(2, 30), [](BatchTask& t) { t.setUseAlternativeName(true); });
    const auto names = fileNames(out.path());
    ASSERT_EQ(names.size(), 14u);
    std::set<int> frames;
    for (const auto& name : names)
        frames.insert(frameIndexIn(out / name));
    EXPECT_EQ(frames.size(), 14u);
    EXPECT_FALSE(frames.count(-1));

    // Replacing is for files that were there before, never for the task's own.
    fs::remove_all(out.path());
    fs::create_directory(out.path());
    run(everyTenths(2, 30));
    EXPECT_EQ(fileNames(out.path()).size(), 14u);
    frames.clear();
    for (const auto& name : fileNames(out.path()))
        frames.insert(frameIndexIn(out / name));
    EXPECT_EQ(frames.size(), 14u);
}

TEST_F(BatchTaskTest, AFolderRemovedUnderARunningTaskStopsItAtOnceWithTheReason)
{
    // A long movie: the task is still at its first frames when its folder goes.
    testmovie::MovieSpec spec;
    spec.codec = testmovie::Codec::h264;
    spec.rateNum = batchtest::rate;
    spec.rateDen = 1;
    spec.frameCount = 60 * batchtest::rate;
    spec.keyInterval = 8;
    movie = (movies / "Long.mp4").string();
    testmovie::writeMovie(movie, spec);
    auto task = batchtest::makeTask(movie, out.path(), everyTenths(1, 600));
    task->setShouldWriteLog(true);
    task->start();
    ASSERT_TRUE(testsupport::runUntil([&] { return task->index() >= 1; }, 60));
    // Stopped, and its frames in flight written (each gives its unit of the shared limit back once its file is
    // there), then resumed into a folder that has gone.
    task->stop();
    {
        batchtest::FramesHeld waitingForTheFramesInFlight;
    }
    const auto written = std::int64_t(fileNames(out.path()).size());
    ASSERT_LT(written, task->count());
    fs::remove_all(out.path());
    task->resume();
    ASSERT_TRUE(batchtest::runUntilFinished({task}, 60));

    EXPECT_EQ(task->state(), BatchState::complete);
    EXPECT_EQ(task->stopReason(), "No such file or directory");
    // No frame started after the first failure; those on their way ended without being decoded or written, and
    // count neither as done nor as failed.
    const std::int64_t failedFrames = task->errors() - 1;  // and the log
    const long limit =
        BatchTurns::concurrentFrameCount(kestrane::Defaults[vistrel::BatchManagerConcurrentCountKey].intValue());
    EXPECT_GE(failedFrames, 1);
    EXPECT_LE(failedFrames, limit);
    EXPECT_EQ(task->index(), written + failedFrames);
    const auto failed = task->failedFrames(20);
    ASSERT_FALSE(failed.empty());
    EXPECT_NE(failed[0].find(": No such file or directory"), std::string::npos) << failed[0];
    EXPECT_NE(task->logFailure().value_or("").find("No such file or directory"), std::string::npos);
    EXPECT_FALSE(fs::exists(out.path()));
}

TEST_F(BatchTaskTest, TasksOfALaunchThatNameAlikeTakeTheirNamesInTheirOrderWhicheverEndsFirst)
{
    // A movie of the same name at another rate: its frame at 1 s shows 25, this one's 10.
    testsupport::TempDir elsewhere("elsewhere");
    testmovie::MovieSpec spec;
    spec.rateNum = 25;
    spec.rateDen = 1;
    spec.frameCount = 75;
    const std::string other = (elsewhere / "Beach Day.mkv").string();
    testmovie::writeMovie(other, spec);
    // Replacing the files at the second launch: each name holds its own movie's frame both times.
    for (int launch = 0; launch < 2; ++launch) {
        SCOPED_TRACE(launch);
        const std::uint64_t batch = BatchTask::newBatch();
        auto first = batchtest::makeTask(movie, out.path(), everyTenths(10, 30));
        auto second = batchtest::makeTask(other, out.path(), everyTenths(10, 30));
        EXPECT_EQ(first->nameSignature(), second->nameSignature());
        for (const auto& [task, rank] : {std::pair{first, 0L}, std::pair{second, 1L}}) {
            task->setBatch(batch);
            task->setNameRank(rank);
        }
        // The second ends before the first begins.
        second->start();
        ASSERT_TRUE(batchtest::runUntilFinished({second}));
        first->start();
        ASSERT_TRUE(batchtest::runUntilFinished({first}));
        EXPECT_EQ(frameIndexIn(out / "Beach Day-00-00-01-000.png"), 10);
        EXPECT_EQ(frameIndexIn(out / "Beach Day-00-00-02-000.png"), 20);
        EXPECT_EQ(frameIndexIn(out / "Beach Day-00-00-01-000 (0).png"), 25);
        EXPECT_EQ(frameIndexIn(out / "Beach Day-00-00-02-000 (0).png"), 50);
        EXPECT_EQ(fileNames(out.path()).size(), 4u);
    }
}

TEST_F(BatchTaskTest, NamesThatAreNoFileNeverTouchTheFolder)
{
    std::ofstream(out / "keep.txt") << "keep";
    for (const auto& markups : {core::Array{}, core::Array{core::Value(".")}, core::Array{core::Value("..")}}) {
        kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = markups;
        for (bool alternative : {false, true}) {
            auto task = run(everyTenths(10, 30), [&](BatchTask& t) {
                t.setUseAlternativeName(alternative);
                t.setShouldWriteLog(true);
            });
            EXPECT_EQ(task->state(), BatchState::complete);
            EXPECT_EQ(task->errors(), 2);
            ASSERT_TRUE(fs::is_directory(out.path()));
            const std::string log = batchtest::readText(out / "Beach Day-logs.txt");
            EXPECT_NE(log.find("Cannot write image at url : "), std::string::npos) << log;
            fs::remove(out / "Beach Day-logs.txt");
            EXPECT_EQ(fileNames(out.path()), std::vector<std::string>{"keep.txt"});
        }
    }
    EXPECT_EQ(batchtest::readText(out / "keep.txt"), "keep");
}

TEST_F(BatchTaskTest, AFolderInTheWayOfAFileStaysAndTheFrameFails)
{
    fs::create_directory(out / "Beach Day-00-00-01-000.png");
    std::ofstream(out / "Beach Day-00-00-01-000.png" / "inside") << "x";
    fs::create_directory(out / "Beach Day-logs.txt");
    auto task = run(everyTenths(10, 20), [](BatchTask& t) { t.setShouldWriteLog(true); });
    EXPECT_EQ(task->errors(), 2) << "the frame and the log";
    EXPECT_TRUE(task->logFailure());
    EXPECT_TRUE(fs::exists(out / "Beach Day-00-00-01-000.png" / "inside"));
    EXPECT_TRUE(fs::is_directory(out / "Beach Day-logs.txt"));
    EXPECT_TRUE(fileNames(out.path()).empty());
}

TEST_F(BatchTaskTest, ATaskWithoutFramesCompletesAtOnce)
{
    // An interval longer than the clip, and an interval of zero.
    for (int every : {40, 0}) {
        auto task = run(everyTenths(every, 30), [](BatchTask& t) { t.setShouldWriteLog(true); });
        EXPECT_EQ(task->count(), 0);
        EXPECT_EQ(task->state(), BatchState::complete);
        EXPECT_NE(batchtest::readText(out / "Beach Day-logs.txt").find("Count       : 0\n"), std::string::npos);
    }
}

TEST_F(BatchTaskTest, UnusableSizesAndTimesFailTheirFramesOnly)
{
    for (double size : {-1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        auto task = run(everyTenths(10, 30), [&](BatchTask& t) { t.setMaxSize(size); });
        EXPECT_EQ(task->state(), BatchState::complete);
        EXPECT_EQ(task->errors(), 2);
    }
    orvalis::TimeSplitter broken(media::TimeRange{media::Time::invalid(), media::Time::make(30, 10)});
    broken.includeStart = true;
    auto task = run(broken);
    EXPECT_EQ(task->state(), BatchState::complete);
    EXPECT_EQ(task->errors(), task->count());
    EXPECT_TRUE(fileNames(out.path()).empty());
}

TEST_F(BatchTaskTest, AMovieOfSoundAloneFailsEachFrameOnceAndCompletes)
{
    testmovie::MovieSpec spec;
    spec.rateNum = batchtest::rate;
    spec.rateDen = 1;
    spec.frameCount = 3 * batchtest::rate;
    spec.audio = true;
    spec.video = false;
    movie = (movies.path() / "Sound.m4a").string();
    testmovie::writeMovie(movie, spec);
    auto task = run(everyTenths(10, 30, true), [](BatchTask& t) { t.setShouldWriteLog(true); });
    EXPECT_EQ(task->state(), BatchState::complete);
    EXPECT_EQ(task->index(), 3);
    EXPECT_EQ(task->errors(), 3);
    EXPECT_EQ(fileNames(out.path()), std::vector<std::string>{"Sound-logs.txt"});
}

TEST_F(BatchTaskTest, AStoppedPendingTaskStartsNoFrameUntilResumed)
{
    auto task = batchtest::makeTask(movie, out.path(), everyTenths(10, 30));
    task->stop();
    EXPECT_EQ(task->state(), BatchState::stopped);
    testsupport::runQueued();
    EXPECT_EQ(task->index(), 0);
    EXPECT_TRUE(fileNames(out.path()).empty());
    task->resume();
    EXPECT_TRUE(batchtest::runUntilFinished({task}));
    EXPECT_EQ(task->state(), BatchState::complete);
    EXPECT_EQ(fileNames(out.path()).size(), 2u);
}

TEST_F(BatchTaskTest, StoppingWithFramesInFlightHoldsTheIndexAtThemUntilResumed)
{
    auto task = batchtest::makeTask(movie, out.path(), everyTenths(1, 30));
    task->start();
    ASSERT_TRUE(testsupport::runUntil([&] { return task->index() >= 1; }));
    task->stop();
    // Every unit of the shared limit comes back once the frames in flight have ended.
    {
        batchtest::FramesHeld held;
    }
    ASSERT_TRUE(testsupport::runUntil([&] { return fileNames(out.path()).size() == std::size_t(task->index()); }));
    const std::int64_t held = task->index();
    EXPECT_LT(held, task->count());
    testsupport::runQueued();
    EXPECT_EQ(task->state(), BatchState::stopped);
    EXPECT_EQ(task->index(), held);
    EXPECT_EQ(fileNames(out.path()).size(), std::size_t(held));

    task->resume();
    ASSERT_TRUE(batchtest::runUntilFinished({task}));
    EXPECT_EQ(task->state(), BatchState::complete);
    EXPECT_EQ(task->index(), 29);
    std::set<int> frames;
    for (const auto& name : fileNames(out.path()))
        frames.insert(frameIndexIn(out / name));
    std::set<int> every;
    for (int i = 1; i <= 29; ++i)
        every.insert(i);
    EXPECT_EQ(frames, every);
}

TEST_F(BatchTaskTest, CancellingAStoppedTaskEndsItWithItsLog)
{
    auto task = batchtest::makeTask(movie, out.path(), everyTenths(10, 30));
    task->setShouldWriteLog(true);
    task->start();
    task->stop();
    const std::int64_t before = task->index();
    task->cancel();
    EXPECT_EQ(task->state(), BatchState::cancelled);
    task->resume();
    task->stop();
    EXPECT_EQ(task->state(), BatchState::cancelled);
    EXPECT_TRUE(testsupport::runUntil([&] { return fs::exists(out / "Beach Day-logs.txt"); }));
    EXPECT_LE(task->index(), 2);
    EXPECT_GE(task->index(), before);
    EXPECT_EQ(task->state(), BatchState::cancelled);
}

TEST_F(BatchTaskTest, AStopOrCancelWhileWaitingForTheSharedLimitStartsNoFrame)
{
    auto stopped = batchtest::makeTask(movie, out.path(), everyTenths(10, 30));
    auto cancelled = batchtest::makeTask(movie, out.path(), everyTenths(10, 30));
    core::Semaphore& limit = BatchTurns::concurrencySemaphore();
    {
        batchtest::FramesHeld held;
        stopped->start();
        cancelled->start();
        // Both frame loops wait for the limit before their first frame.
        ASSERT_TRUE(testsupport::runUntil([&] { return limit.waiters() == 2; }));
        stopped->stop();
        cancelled->cancel();
    }
    // Both loops have had the limit back and given it up again; a frame started meanwhile would still hold
    // its unit until its file is written.
    ASSERT_TRUE(testsupport::runUntil([&] { return limit.waiters() == 0; }));
    EXPECT_TRUE(batchtest::runUntilFinished({cancelled}));
    batchtest::FramesHeld again;
    EXPECT_EQ(stopped->index(), 0);
    EXPECT_EQ(cancelled->index(), 0);
    EXPECT_TRUE(fileNames(out.path()).empty());
    stopped->cancel();
}

TEST_F(BatchTaskTest, FramesThatFailLeaveNoFileUnderAnyName)
{
    // Times 1 to 5 s in a 3 s movie: the frames at 4 and 5 s do not exist.
    std::ofstream(out / "Beach Day-00-00-04-000.png") << "mine";
    auto task = run(everyTenths(10, 60), [](BatchTask& t) {
        t.setUseAlternativeName(true);
        t.setShouldWriteLog(true);
    });
    EXPECT_EQ(task->errors(), 2);
    EXPECT_EQ(
        fileNames(out.path()),
        (std::vector<std::string>{"Beach Day-00-00-01-000.png", "Beach Day-00-00-02-000.png",
                                  "Beach Day-00-00-03-000.png", "Beach Day-00-00-04-000.png", "Beach Day-logs.txt"}));
    EXPECT_EQ(batchtest::readText(out / "Beach Day-00-00-04-000.png"), "mine");
    EXPECT_EQ(frameIndexIn(out / "Beach Day-00-00-03-000.png"), 29);
}

TEST(BatchTaskLimit, ConcurrentCountIsClampedAndDefaultsToEight)
{
    EXPECT_EQ(BatchTurns::concurrentFrameCount(std::nullopt), 8);
    EXPECT_EQ(BatchTurns::concurrentFrameCount(0), 1);
    EXPECT_EQ(BatchTurns::concurrentFrameCount(-5), 1);
    EXPECT_EQ(BatchTurns::concurrentFrameCount(3), 3);
}

}  // namespace
