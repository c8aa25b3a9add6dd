// Accurate grabs on every kind of test movie give the frame whose display interval holds the time; quick grabs
// give a key frame at or before it. The truth is the frame's place in display order and the index drawn in its
// pixels: frame k shows from the start the movie was written with, whatever times the container keeps.
#include "platform/core/error.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

using media::Time;

namespace {

struct Probe {
    Time time;
    int index;
};

Time startOf(const testmovie::FrameStart& s) { return Time::make(s.value, s.timescale); }

// Past the rounding of a written start to the coarsest time base a container keeps (a millisecond).
const Time margin = Time::make(1, 1000);

// Whether a frame's time, as the engine reports it, is the start frame k was written with, as far as the
// container can keep it.
bool isStartOf(const Time& time, const std::vector<testmovie::FrameStart>& starts, int k)
{
    const Time start = startOf(starts[std::size_t(k)]);
    return time + margin > start && time < start + margin;
}

// Just after frame k's start, inside the frame as the container keeps it: at its start when it starts where the
// movie ends.
Time justAfterStart(const std::vector<testmovie::FrameStart>& starts, int k, const Time& duration)
{
    const Time after = startOf(starts[std::size_t(k)]) + margin;
    return after < duration ? after : std::min(startOf(starts[std::size_t(k)]), duration);
}

// Just after each frame's start, its middle, just before the next start, and the movie's end (which may be the
// last frame's start, where the container's duration leaves it out).
std::vector<Probe> probesFor(const std::vector<testmovie::FrameStart>& starts, const Time& duration)
{
    std::vector<Probe> probes;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const Time start = startOf(starts[k]);
        const Time next = k + 1 < starts.size() ? startOf(starts[k + 1]) : duration;
        // The first frame from the movie's start; the last one at its start, where the movie may end.
        probes.push_back({k == 0 || next <= start + margin ? start : start + margin, int(k)});
        if (next > start + margin + margin) {
            probes.push_back({media::multiplyByRatio(start + next, 1, 2), int(k)});
            probes.push_back({next - margin, int(k)});
        }
    }
    probes.push_back({duration, int(starts.size()) - 1});
    return probes;
}

class GrabExactness : public testing::TestWithParam<mediatest::MovieCase> {};

std::string caseName(const testing::TestParamInfo<mediatest::MovieCase>& info)
{
    std::string name = info.param.name;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

}  // namespace

TEST_P(GrabExactness, EveryProbeGivesTheFrameShownAtThatTime)
{
    const mediatest::MovieCase& movie = GetParam();
    std::string path = mediatest::moviePath(movie.name);
    const auto starts = testmovie::writtenFrameStarts(movie.spec);

    auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());
    Time duration = asset->duration();
    ASSERT_TRUE(duration.isNumeric());
    EXPECT_GE(duration + margin, startOf(starts.back()));
    std::vector<Probe> probes = probesFor(starts, duration);

    // In order, on one generator: the decoder runs forward.
    auto generator = mediatest::exactGenerator(asset);
    for (const Probe& probe : probes) {
        Time actual;
        gfx::ImageRef image = generator->copyImage(probe.time, &actual);
        ASSERT_TRUE(image);
        EXPECT_EQ(testmovie::readFrameIndex(*image), probe.index) << movie.name << " at " << probe.time.seconds();
        EXPECT_TRUE(isStartOf(actual, starts, probe.index))
            << movie.name << " at " << probe.time.seconds() << ": " << actual.seconds();
    }

    // Every probe again in a shuffled order, with a new generator for each grab (as the batch engine does):
    // seeks backwards and forwards and pooled decoders left anywhere by the grabs before.
    std::mt19937 random(7);
    std::shuffle(probes.begin(), probes.end(), random);
    for (const Probe& probe : probes) {
        Time actual;
        gfx::ImageRef image = mediatest::exactGenerator(asset)->copyImage(probe.time, &actual);
        ASSERT_TRUE(image);
        EXPECT_EQ(testmovie::readFrameIndex(*image), probe.index) << movie.name << " at " << probe.time.seconds();
        EXPECT_TRUE(isStartOf(actual, starts, probe.index))
            << movie.name << " at " << probe.time.seconds() << ": " << actual.seconds();
    }

    // The first grab on a new asset: the first and the last frame, the end, and a frame deep in.
    const int last = int(starts.size()) - 1;
    for (const Probe& probe : std::vector<Probe>{{Time::zero(), 0},
                                                 {justAfterStart(starts, last, duration), last},
                                                 {duration, last},
                                                 {justAfterStart(starts, last * 3 / 4, duration), last * 3 / 4}}) {
        auto fresh = media::Asset::create(core::Url::fileURL(path));
        gfx::ImageRef image = mediatest::exactGenerator(fresh)->copyImage(probe.time);
        ASSERT_TRUE(image);
        EXPECT_EQ(testmovie::readFrameIndex(*image), probe.index) << movie.name << " at " << probe.time.seconds();
    }
}

// A job of every probe, in order and then shuffled: its runs decoded side by side give each frame, handed out in
// the order asked.
TEST_P(GrabExactness, TheFirstGrabOfANewMovieGivesItsOwnFrameNextToTheStart)
{
    // The movie's probe leaves its decoder on the first key frame decoded alone, with nothing more to decode
    // from there: a first grab at that frame, or at the frames right after it, must not take it as the end.
    const mediatest::MovieCase& movie = GetParam();
    const std::string path = mediatest::moviePath(movie.name);
    const auto starts = testmovie::writtenFrameStarts(movie.spec);
    ASSERT_GE(starts.size(), 4u);
    for (const std::size_t frame : {std::size_t(0), std::size_t(1), std::size_t(2)}) {
        const Time start = frame == 0 ? Time::zero() : startOf(starts[frame]) + margin;
        const Time middle = media::multiplyByRatio(startOf(starts[frame]) + startOf(starts[frame + 1]), 1, 2);
        for (const Time& time : {start, middle}) {
            auto generator = mediatest::exactGenerator(media::Asset::create(core::Url::fileURL(path)));
            EXPECT_EQ(mediatest::exactIndexAt(*generator, time), int(frame)) << movie.name << " at " << time.seconds();
            EXPECT_EQ(mediatest::exactIndexAt(*generator, startOf(starts[frame + 1]) + margin), int(frame) + 1)
                << movie.name;
        }
    }
}

TEST_P(GrabExactness, AJobGivesEveryProbesFrameInTheOrderAsked)
{
    const mediatest::MovieCase& movie = GetParam();
    std::string path = mediatest::moviePath(movie.name);
    const auto starts = testmovie::writtenFrameStarts(movie.spec);
    auto asset = media::Asset::create(core::Url::fileURL(path));
    std::vector<Probe> probes = probesFor(starts, asset->duration());
    std::mt19937 random(11);
    for (bool shuffled : {false, true}) {
        if (shuffled) std::shuffle(probes.begin(), probes.end(), random);
        std::vector<Time> times;
        for (const Probe& probe : probes)
            times.push_back(probe.time);
        const auto job = mediatest::exactGenerator(asset)->generateImages(times);
        ASSERT_EQ(job->count(), probes.size());
        for (const Probe& probe : probes) {
            const std::optional<media::ImageJob::Image> answer = job->next();
            ASSERT_TRUE(answer && answer->image) << movie.name << " at " << probe.time.seconds();
            EXPECT_EQ(testmovie::readFrameIndex(*answer->image), probe.index)
                << movie.name << " at " << probe.time.seconds() << (shuffled ? ", shuffled" : "");
            EXPECT_TRUE(isStartOf(answer->actualTime, starts, probe.index))
                << movie.name << " at " << probe.time.seconds() << ": " << answer->actualTime.seconds();
        }
        EXPECT_FALSE(job->next());
    }
}

TEST_P(GrabExactness, QuickGrabsGiveAKeyFrameAndLeaveTheDecodersExact)
{
    const mediatest::MovieCase& movie = GetParam();
    std::string path = mediatest::moviePath(movie.name);
    const auto starts = testmovie::writtenFrameStarts(movie.spec);
    auto asset = media::Asset::create(core::Url::fileURL(path));
    // The default tolerances: the key frame at or before the time, decoded alone.
    auto quick = media::ImageGenerator::create(asset);
    auto exact = mediatest::exactGenerator(asset);
    for (int k : {40, 17, 5, 29, 0, 46}) {
        const Time middle =
            media::multiplyByRatio(startOf(starts[std::size_t(k)]) + startOf(starts[std::size_t(k) + 1]), 1, 2);
        Time actual;
        gfx::ImageRef key = quick->copyImage(middle, &actual);
        ASSERT_TRUE(key);
        const int index = testmovie::readFrameIndex(*key);
        EXPECT_LE(index, k) << movie.name;
        EXPECT_GE(index, k - movie.spec.keyInterval) << movie.name;
        ASSERT_GE(index, 0) << movie.name;
        EXPECT_TRUE(isStartOf(actual, starts, index)) << movie.name << ": " << actual.seconds();
        // Exact grabs after it, on the decoders the pool holds, at the frame and on from it.
        for (int j : {k, k + 1}) {
            gfx::ImageRef image = exact->copyImage(justAfterStart(starts, j, asset->duration()));
            ASSERT_TRUE(image);
            EXPECT_EQ(testmovie::readFrameIndex(*image), j) << movie.name << " after a quick grab at " << k;
        }
    }
}

// H.264 with B-frames in AVI, which stores no display times: a key frame's stored time is when it is decoded,
// before it is shown. A grab just after that time lands on a key frame shown past its target and must start
// again at the key frame before it; wherever it seeks from, a grab gives frame k at k frame durations.
TEST(GrabExactnessBackOff, AGrabLandingPastItsTargetStartsAtTheKeyFrameBefore)
{
    const std::string path = mediatest::scratchPath("bframes-h264.avi");
    if (!std::filesystem::exists(path))
        testsupport::runFfmpeg(mediatest::moviePath("h264-25.mp4"),
                               {"-c:v", "libx264", "-bf", "2", "-g", "12", "-pix_fmt", "yuv420p"}, path);
    const auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());
    constexpr int frameCount = 48;  // at 25 frames per second

    // Decoding from the start, forward on one generator: each frame at its place in display order.
    std::vector<int> shown;
    const auto forward = mediatest::exactGenerator(asset);
    for (int k = 0; k < frameCount; ++k)
        shown.push_back(mediatest::exactIndexAt(*forward, Time::make(k, 25)));
    for (int k = 0; k < frameCount; ++k)
        EXPECT_EQ(shown[std::size_t(k)], k) << "at " << k;

    // Each of those times again, latest first, each grab on a generator of its own: every one seeks.
    for (int k = frameCount - 1; k >= 0; --k) {
        const auto fresh = mediatest::exactGenerator(asset);
        EXPECT_EQ(mediatest::exactIndexAt(*fresh, Time::make(k, 25)), shown[std::size_t(k)]) << "at " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(AllMovies, GrabExactness, testing::ValuesIn(mediatest::frameExactnessCases()), caseName);
INSTANTIATE_TEST_SUITE_P(ToolMadeMovies, GrabExactness, testing::ValuesIn(mediatest::toolMovieCases()), caseName);
