// Exact grabs in movies the ffmpeg tool re-encodes with B-frames into containers that leave display times out of
// their packets give, at each time, the frame whose place in display order holds it: frame k, carrying index k in
// its pixels, shows from k / 25 s after the movie's start, decoding forward, seeking and in jobs alike.
#include "platform/core/error.h"
#include "platform/core/url.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

using media::Time;

namespace {

constexpr int rate = 25;

struct Shown {
    Time time;
    int index;
};

// Each frame's start and, but for the last frame, which may end where the movie does, its middle.
std::vector<Shown> startsAndMiddles(int frameCount)
{
    std::vector<Shown> shown;
    for (int k = 0; k < frameCount; ++k) {
        shown.push_back({Time::make(k, rate), k});
        if (k + 1 < frameCount) shown.push_back({Time::make(2 * k + 1, 2 * rate), k});
    }
    return shown;
}

class BFrameToolMovies : public testing::TestWithParam<std::string> {};

std::string nameOf(const testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

}  // namespace

TEST_P(BFrameToolMovies, EachFrameShowsAtItsPlaceInDisplayOrderForwardSeekingAndInJobs)
{
    const std::string& name = GetParam();
    const std::string path = mediatest::bFrameToolMoviePath(name);
    const auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());
    const std::vector<Shown> shown = startsAndMiddles(mediatest::bFrameToolMovieFrameCount(name));
    // In order on one generator: the decoder runs forward.
    const auto forward = mediatest::exactGenerator(asset);
    for (const Shown& frame : shown)
        EXPECT_EQ(mediatest::exactIndexAt(*forward, frame.time), frame.index)
            << name << " forward at " << frame.time.seconds();

    // Latest first, each on a generator of its own: every grab seeks.
    for (auto frame = shown.rbegin(); frame != shown.rend(); ++frame)
        EXPECT_EQ(mediatest::exactIndexAt(*mediatest::exactGenerator(asset), frame->time), frame->index)
            << name << " seeking to " << frame->time.seconds();

    // A job of every time, in order and latest first: the stretches decoded side by side give the same frames.
    std::vector<Shown> asked = shown;
    for (bool reversed : {false, true}) {
        if (reversed) std::reverse(asked.begin(), asked.end());
        std::vector<Time> times;
        for (const Shown& frame : asked)
            times.push_back(frame.time);
        const auto job = mediatest::exactGenerator(asset)->generateImages(times);
        for (const Shown& frame : asked) {
            const auto answer = job->next();
            ASSERT_TRUE(answer) << name;
            EXPECT_EQ(answer->image ? testmovie::readFrameIndex(*answer->image) : -1, frame.index)
                << name << " in a job" << (reversed ? ", latest first," : "") << " at " << frame.time.seconds();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BFrames, BFrameToolMovies, testing::ValuesIn(mediatest::bFrameToolMovieNames()), nameOf);
