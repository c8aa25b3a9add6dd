// Exact grabs in movies the ffmpeg tool re-encodes with B-frames into containers that leave display times out of
// their packets give, at each frame's place in display order, the frame the ffmpeg tool itself shows there: decoding
// forward and seeking alike. The movies run at 25 frames per second: frame k starts at k / 25 s, whatever times the
// tool gives its frames (in AVI they come late by its decoder's delay).
#include "platform/core/error.h"
#include "platform/core/url.h"
#include "platform/gfx/image_reader.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tests/platform/media/movie_library.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using media::Time;

namespace {

struct ShownFrame {
    Time time;  // the frame's place in display order, after the movie's start
    int index;
};

// The frames the ffmpeg tool decodes from the movie, in the order it shows them: its frame checksums count them,
// its images give the indexes.
std::vector<ShownFrame> framesShownByTheTool(const std::string& movie, const testsupport::TempDir& folder)
{
    const std::string times = (folder / "times.crc").string();
    testsupport::runFfmpeg(movie, {"-fps_mode", "passthrough", "-f", "framecrc", times, "-fps_mode", "passthrough"},
                           (folder / "%03d.png").string());
    std::vector<ShownFrame> frames;
    std::ifstream in(times);
    for (std::string line; std::getline(in, line);) {
        long long pts = 0;
        if (line.empty() || line[0] == '#' || std::sscanf(line.c_str(), "%*[^,], %*[^,], %lld", &pts) != 1) continue;
        char name[16];
        std::snprintf(name, sizeof name, "%03d.png", int(frames.size()) + 1);
        const gfx::ImageRef image = gfx::ImageReader::read(core::Url::fileURL((folder / name).string()));
        frames.push_back({Time::make(std::int64_t(frames.size()), 25), image ? testmovie::readFrameIndex(*image) : -1});
    }
    return frames;
}

class ToolShownFrames : public testing::TestWithParam<std::string> {};

std::string nameOf(const testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

}  // namespace

TEST_P(ToolShownFrames, EveryFrameTimeGivesTheFrameTheToolShowsForwardAndSeeking)
{
    const std::string& name = GetParam();
    const std::string path = mediatest::bFrameToolMoviePath(name);
    const testsupport::TempDir folder("shown");
    const std::vector<ShownFrame> shown = framesShownByTheTool(path, folder);
    ASSERT_GE(shown.size(), 40u);
    for (std::size_t k = 0; k < shown.size(); ++k)
        ASSERT_EQ(shown[k].index, int(k)) << "the tool shows the frames in order";

    const auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());
    // In order on one generator: the decoder runs forward. The movie's start gives its first frame.
    const auto forward = mediatest::exactGenerator(asset);
    EXPECT_EQ(mediatest::exactIndexAt(*forward, Time::zero()), 0) << name << " at its start";
    for (const ShownFrame& frame : shown)
        EXPECT_EQ(mediatest::exactIndexAt(*forward, frame.time), frame.index)
            << name << " forward at " << frame.time.seconds();

    // Latest first, each on a generator of its own: every grab seeks.
    for (auto frame = shown.rbegin(); frame != shown.rend(); ++frame)
        EXPECT_EQ(mediatest::exactIndexAt(*mediatest::exactGenerator(asset), frame->time), frame->index)
            << name << " seeking to " << frame->time.seconds();
    EXPECT_EQ(mediatest::exactIndexAt(*mediatest::exactGenerator(asset), Time::zero()), 0)
        << name << " seeking to its start";

    // A job of every frame, in order and latest first: the stretches decoded side by side give the same frames.
    std::vector<ShownFrame> asked = shown;
    for (bool reversed : {false, true}) {
        if (reversed) std::reverse(asked.begin(), asked.end());
        std::vector<Time> times;
        for (const ShownFrame& frame : asked)
            times.push_back(frame.time);
        const auto job = mediatest::exactGenerator(asset)->generateImages(times);
        for (const ShownFrame& frame : asked) {
            const auto answer = job->next();
            ASSERT_TRUE(answer) << name;
            EXPECT_EQ(answer->image ? testmovie::readFrameIndex(*answer->image) : -1, frame.index)
                << name << " in a job" << (reversed ? ", latest first," : "") << " at " << frame.time.seconds();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BFrames, ToolShownFrames, testing::ValuesIn(mediatest::bFrameToolMovieNames()), nameOf);
