// Image jobs: runs planned by key-frame stretch, decoded side by side within the program's share of threads,
// handed out in the order asked, bounded in what they hold, and stopped promptly by a cancel.
#include "platform/core/error.h"
#include "platform/media/asset.h"
#include "platform/media/detail/decoding_share.h"
#include "platform/media/detail/job_plan.h"
#include "platform/media/image_generator.h"
#include "platform/media/media_error.h"
#include "tests/platform/media/movie_library.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

using media::Time;
using media::detail::DecodingShare;
using media::detail::JobRun;

namespace {

// 300 frames at 25 per second with a key frame every 10: thirty stretches.
constexpr int frameCount = 300;
constexpr int rate = 25;

std::string stretchesMovie()
{
    const std::string path = mediatest::scratchPath("stretches.mp4");
    if (!std::filesystem::exists(path)) {
        testmovie::MovieSpec spec;
        spec.width = 320;
        spec.height = 240;
        spec.rateNum = rate;
        spec.rateDen = 1;
        spec.frameCount = frameCount;
        spec.keyInterval = 10;
        testmovie::writeMovie(path, spec);
    }
    return path;
}

media::ImageGeneratorRef accurate(const std::string& path)
{
    return mediatest::exactGenerator(media::Asset::create(core::Url::fileURL(path)));
}

// The middle of frame k.
Time middleOf(int k) { return Time::make(2 * k + 1, 2 * rate); }

std::vector<Time> middlesOf(const std::vector<int>& frames)
{
    std::vector<Time> times;
    for (int k : frames)
        times.push_back(middleOf(k));
    return times;
}

std::vector<int> everyFrame()
{
    std::vector<int> frames(frameCount);
    for (int k = 0; k < frameCount; ++k)
        frames[std::size_t(k)] = k;
    return frames;
}

// Counts the finishing steps at work at once, which run on the workers while they hold their decoders.
struct AtWork {
    std::atomic<int> now{0};
    std::atomic<int> most{0};
    std::atomic<int> calls{0};

    media::ImageJob::Finish finish()
    {
        return [this](std::size_t, const gfx::ImageRef& image) {
            const int at = ++now;
            int seen = most.load();
            while (at > seen && !most.compare_exchange_weak(seen, at)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            --now;
            ++calls;
            return image;
        };
    }
};

void expectFrames(media::ImageJob& job, const std::vector<int>& frames)
{
    for (int k : frames) {
        const auto answer = job.next();
        ASSERT_TRUE(answer && answer->image) << "frame " << k;
        EXPECT_EQ(testmovie::readFrameIndex(*answer->image), k);
    }
    EXPECT_FALSE(job.next());
}

}  // namespace

TEST(JobPlan, RunsKeepToOneStretchAndNeverGoBack)
{
    const std::vector<std::int64_t> keys = {0, 100, 200};
    auto runs = media::detail::jobRuns({0, 50, 99, 100, 150, 120, 250, std::nullopt, 260}, keys, 0, 1000);
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (const JobRun& run : runs)
        spans.emplace_back(run.begin, run.end);
    // A frame without a target stays in the run it stands in.
    EXPECT_EQ(spans, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {3, 5}, {5, 6}, {6, 9}}));

    // Without an index: runs end where time goes back or jumps by the gap.
    runs = media::detail::jobRuns({0, 10, 500, 520, 30}, {}, 0, 400);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1].begin, 2u);
    EXPECT_EQ(runs[2].begin, 4u);
    EXPECT_TRUE(media::detail::jobRuns({}, keys, 0, 10).empty());
    // Just after a key frame's stored time, a frame may still be shown before it: it goes with the stretch before.
    runs = media::detail::jobRuns({50, 104, 108, 150}, keys, 5, 1000);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].end, 2u);
}

TEST(JobPlan, ManyRunsTakeOneThreadEachAndFewRunsShareTheCores)
{
    struct Case {
        int cores;
        std::size_t runs;
        int width, height;
        int decoders, threads;
    };
    // Small pictures decode on one thread; 4K opens fewer decoders, each with more threads.
    const Case cases[] = {{8, 100, 1920, 1080, 8, 1}, {8, 1, 1920, 1080, 1, 8},   {8, 3, 1920, 1080, 3, 2},
                          {8, 2, 320, 240, 2, 1},     {8, 100, 3840, 2160, 2, 4}, {0, 0, 0, 0, 1, 1}};
    for (const Case& c : cases) {
        const auto plan = media::detail::jobDecoders(c.cores, c.runs, c.width, c.height);
        EXPECT_EQ(plan.decoders, c.decoders) << c.runs << " runs of " << c.width << " x " << c.height;
        EXPECT_EQ(plan.threads, c.threads) << c.runs << " runs of " << c.width << " x " << c.height;
    }
}

TEST(DecodingShareTest, WaitersAreServedInTurnAndAStopLetsThemGo)
{
    DecodingShare share(4);
    ASSERT_TRUE(share.take(3, {}));
    std::atomic<bool> stop{false};
    std::atomic<bool> gotIt{false};
    std::thread waiter([&] { gotIt = share.take(2, [&] { return stop.load(); }); });
    while (!share.isWanted())
        std::this_thread::yield();
    EXPECT_EQ(share.inUse(), 3);
    stop = true;
    share.wake();
    waiter.join();
    EXPECT_FALSE(gotIt);
    EXPECT_FALSE(share.isWanted());
    // More than the share asks for all of it.
    share.give(3);
    ASSERT_TRUE(share.take(10, {}));
    EXPECT_EQ(share.inUse(), 4);
    EXPECT_EQ(share.mostInUse(), 4);
    share.give(10);
    EXPECT_EQ(share.inUse(), 0);
}

TEST(ImageJobTest, TimesOverManyStretchesComeInTheOrderAskedAndExact)
{
    const auto generator = accurate(stretchesMovie());
    // Every frame, then a scattered order that goes back and forth across the stretches.
    expectFrames(*generator->generateImages(middlesOf(everyFrame())), everyFrame());
    const std::vector<int> scattered = {295, 3, 150, 151, 152, 10, 9, 299, 0, 77, 78, 200, 11, 150};
    expectFrames(*generator->generateImages(middlesOf(scattered)), scattered);
}

TEST(ImageJobTest, EachTimeThatCannotBeHadAnswersWithItsOwnError)
{
    const auto generator = accurate(stretchesMovie());
    std::atomic<int> finishes{0};
    const auto job = generator->generateImages(
        {Time::make(-1, 1), middleOf(5), Time::make(frameCount + 50, rate), middleOf(40), middleOf(41)},
        [&](std::size_t index, const gfx::ImageRef& image) {
            ++finishes;
            if (index == 4) throw core::Error("test", 1, "refused");
            return image;
        });
    auto answer = job->next();
    ASSERT_TRUE(answer && answer->error);
    EXPECT_EQ(answer->error->code(), media::timeOutOfRange);
    answer = job->next();
    ASSERT_TRUE(answer && answer->image);
    EXPECT_EQ(testmovie::readFrameIndex(*answer->image), 5);
    EXPECT_EQ(answer->actualTime, Time::make(5, rate));
    answer = job->next();
    ASSERT_TRUE(answer && answer->error);
    EXPECT_EQ(answer->error->code(), media::timeOutOfRange);
    answer = job->next();
    ASSERT_TRUE(answer && answer->image);
    EXPECT_EQ(testmovie::readFrameIndex(*answer->image), 40);
    answer = job->next();
    ASSERT_TRUE(answer && answer->error && !answer->image);
    EXPECT_EQ(answer->error->domain(), "test");
    EXPECT_FALSE(job->next());
    EXPECT_EQ(finishes.load(), 3);
}

TEST(ImageJobTest, AMovieWithoutVideoRefusesAJob)
{
    const std::string path = mediatest::scratchPath("not-a-movie.mp4");
    std::ofstream(path) << "no movie here";
    try {
        (void)accurate(path)->generateImages({Time::zero()});
        FAIL() << "a job was made";
    } catch (const core::Error& error) {
        EXPECT_EQ(error.code(), media::noVideo);
    }
}

TEST(ImageJobTest, HoldsAFewImagesWhileNobodyTakesThem)
{
    const auto generator = accurate(stretchesMovie());
    // One decoder: the one asked for first and two more, then the worker waits for room.
    AtWork one;
    const auto single = generator->generateImages(middlesOf(everyFrame()), one.finish(), {}, 1);
    ASSERT_TRUE(testsupport::waitUntil([&] { return single->workersWaitingForRoom() == 1; }));
    EXPECT_LE(one.calls.load(), 3);
    EXPECT_GT(one.calls.load(), 0);
    expectFrames(*single, everyFrame());
    // Side by side, as many as their weight allows: all of these small ones.
    AtWork many;
    const auto job = generator->generateImages(middlesOf(everyFrame()), many.finish());
    EXPECT_TRUE(testsupport::waitUntil([&] { return many.calls.load() == frameCount; }));
    EXPECT_EQ(job->workersWaitingForRoom(), 0u);
    expectFrames(*job, everyFrame());
}

// Frames of 1920 x 1080, which weigh 8 MB each as generated: a job that nobody takes from soon holds all the
// weight the jobs share.
std::string largeFramesMovie()
{
    const std::string path = mediatest::scratchPath("large-frames.mp4");
    if (!std::filesystem::exists(path)) {
        testmovie::MovieSpec spec;
        spec.width = 1920;
        spec.height = 1080;
        spec.rateNum = rate;
        spec.rateDen = 1;
        spec.frameCount = 60;
        spec.keyInterval = 5;
        spec.bFrames = false;
        testmovie::writeMovie(path, spec);
    }
    return path;
}

TEST(ImageJobTest, TheAnswerAskedForFirstIsMadeWhileOtherJobsHoldAllTheWeight)
{
    const auto generator = accurate(largeFramesMovie());
    std::vector<int> frames(60);
    for (int k = 0; k < 60; ++k)
        frames[std::size_t(k)] = k;
    const auto holder = generator->generateImages(middlesOf(frames));
    const std::int64_t frameBytes = 4LL * 1920 * 1080;
    ASSERT_TRUE(testsupport::waitUntil([&] {
        return media::ImageJob::heldBytesOfAllJobs() + frameBytes > media::ImageJob::mostHeldBytesOfAllJobs;
    })) << "the held answers weigh "
        << media::ImageJob::heldBytesOfAllJobs();

    // An export of large frames beside it: its first frame, then each next one as it is taken.
    const auto other = accurate(largeFramesMovie())->generateImages(middlesOf({40, 7, 59}), {}, {}, 1);
    auto taken = std::async(std::launch::async, [&] {
        std::vector<int> indexes;
        while (const auto answer = other->next())
            indexes.push_back(answer->image ? testmovie::readFrameIndex(*answer->image) : -1);
        return indexes;
    });
    if (taken.wait_for(std::chrono::seconds(int(testsupport::waitLimitSeconds))) != std::future_status::ready) {
        other->cancel();
        holder->cancel();
        FAIL() << "the job beside one that holds all the weight stands still";
    }
    EXPECT_EQ(taken.get(), (std::vector<int>{40, 7, 59}));
    expectFrames(*holder, frames);
}

TEST(ImageJobTest, ACancelStopsTheWorkersWithinAFrameEachAndDeliversNothingMore)
{
    const auto generator = accurate(stretchesMovie());
    AtWork work;
    auto job = generator->generateImages(middlesOf(everyFrame()), work.finish());
    for (int k = 0; k < 20; ++k) {
        const auto answer = job->next();
        ASSERT_TRUE(answer && answer->image);
        EXPECT_EQ(testmovie::readFrameIndex(*answer->image), k);
    }
    job->cancel();
    const int atCancel = work.calls.load();
    EXPECT_TRUE(job->isCancelled());
    EXPECT_FALSE(job->next());
    EXPECT_FALSE(job->take(25));
    job.reset();  // waits for the workers
    EXPECT_LE(work.calls.load() - atCancel, DecodingShare::shared().threads());
    EXPECT_LT(work.calls.load(), frameCount);
}

TEST(ImageJobTest, JobsAtOnceShareTheCoresAndEachStaysExact)
{
    DecodingShare::shared().resetMostInUse();
    AtWork work;
    const std::string path = stretchesMovie();
    std::vector<std::thread> consumers;
    std::vector<int> reversed = everyFrame();
    std::reverse(reversed.begin(), reversed.end());
    for (const std::vector<int>& frames : {everyFrame(), reversed, everyFrame()})
        consumers.emplace_back([&, frames] {
            const auto job = accurate(path)->generateImages(middlesOf(frames), work.finish());
            expectFrames(*job, frames);
        });
    for (std::thread& consumer : consumers)
        consumer.join();
    // Every finishing step runs on a decoding thread that holds its threads of the share.
    EXPECT_LE(work.most.load(), DecodingShare::shared().threads());
    EXPECT_LE(DecodingShare::shared().mostInUse(), DecodingShare::shared().threads());
    EXPECT_EQ(DecodingShare::shared().inUse(), 0);
    EXPECT_EQ(work.calls.load(), 3 * frameCount);
}

TEST(ImageJobTest, AStopAskedForCancelsTheJobAndWakesItsTaker)
{
    std::atomic<bool> stop{false};
    const auto job =
        accurate(stretchesMovie())->generateImages(middlesOf(everyFrame()), {}, [&] { return stop.load(); });
    const auto first = job->next();
    ASSERT_TRUE(first && first->image);
    EXPECT_EQ(testmovie::readFrameIndex(*first->image), 0);
    stop = true;
    // What was made before the workers saw the stop may still come; then the taker, waiting for a frame no
    // worker makes any more, is woken with nothing.
    int delivered = 1;
    while (job->next())
        ++delivered;
    EXPECT_LT(delivered, frameCount);
    EXPECT_TRUE(job->isCancelled());
}

TEST(ImageJobTest, TakingWhatIsReadyGivesEveryAnswerOnceWithItsIndex)
{
    const std::vector<int> frames = {120, 5, 299, 6, 60, 61, 250};
    const auto job = accurate(stretchesMovie())->generateImages(middlesOf(frames));
    std::vector<bool> seen(frames.size(), false);
    while (auto answer = job->takeAny()) {
        ASSERT_LT(answer->first, frames.size());
        EXPECT_FALSE(seen[answer->first]);
        seen[answer->first] = true;
        ASSERT_TRUE(answer->second.image);
        EXPECT_EQ(testmovie::readFrameIndex(*answer->second.image), frames[answer->first]);
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), std::ptrdiff_t(frames.size()));
}

// A batch encodes each frame on the thread that decoded it and takes the files' bytes from several threads.
TEST(ImageJobTest, AnEncodingJobHandsBytesOverToSeveralTakersAtOnce)
{
    // The frame's own index as its "file"; frames of odd indexes cannot be encoded.
    const auto bytesOf = [](int index) { return core::Data{std::uint8_t(index / 256), std::uint8_t(index % 256)}; };
    auto encode = [&](std::size_t, const gfx::ImageRef& image) -> std::optional<core::Data> {
        const int index = testmovie::readFrameIndex(*image);
        if (index % 2) return std::nullopt;
        return bytesOf(index);
    };
    // An encoded answer holds its bytes alone; one that failed keeps its image.
    const auto right = [&](const std::optional<media::ImageJob::Image>& answer, int k) {
        if (!answer || answer->error) return false;
        if (k % 2) return !answer->bytes && answer->image && testmovie::readFrameIndex(*answer->image) == k;
        return !answer->image && answer->bytes == bytesOf(k);
    };
    const auto job = accurate(stretchesMovie())->generateImages(middlesOf(everyFrame()), {}, {}, 0, encode);
    constexpr int takers = 4;
    std::vector<int> wrong(takers, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < takers; ++t)
        threads.emplace_back([&, t] {
            for (int k = t; k < frameCount; k += takers)
                wrong[std::size_t(t)] += right(job->take(std::size_t(k)), k) ? 0 : 1;
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(std::count(wrong.begin(), wrong.end(), 0), takers);
}
