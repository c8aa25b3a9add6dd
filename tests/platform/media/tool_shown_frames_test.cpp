// Exact grabs in movies the ffmpeg tool re-encodes with B-frames into containers that leave display times out of
// their packets give, at each time, the frame the ffmpeg tool itself shows then: decoding forward and seeking alike.
#include "platform/core/error.h"
#include "platform/core/url.h"
#include "platform/gfx/image_reader.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tests/platform/media/movie_library.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using media::Time;

namespace {

struct ShownFrame {
    Time time;  // after the movie's start, as the ffmpeg tool shows it
    int index;
};

struct ToolMovie {
    std::string name;
    std::vector<std::string> arguments;  // the ffmpeg tool's, from the 25 frames per second test movie
};

void PrintTo(const ToolMovie& movie, std::ostream* out) { *out << movie.name; }

// The frames the ffmpeg tool decodes from the movie, in the order and at the times it shows them: its frame
// checksums give the times, its images the indexes.
std::vector<ShownFrame> framesShownByTheTool(const std::string& movie, const testsupport::TempDir& folder)
{
    const std::string times = (folder / "times.crc").string();
    testsupport::runFfmpeg(movie, {"-fps_mode", "passthrough", "-f", "framecrc", times, "-fps_mode", "passthrough"},
                           (folder / "%03d.png").string());
    std::vector<ShownFrame> frames;
    std::ifstream in(times);
    int num = 1, den = 1;
    for (std::string line; std::getline(in, line);) {
        long long pts = 0;
        if (std::sscanf(line.c_str(), "#tb 0: %d/%d", &num, &den) == 2 || line.empty() || line[0] == '#' ||
            std::sscanf(line.c_str(), "%*[^,], %*[^,], %lld", &pts) != 1)
            continue;
        char name[16];
        std::snprintf(name, sizeof name, "%03d.png", int(frames.size()) + 1);
        const gfx::ImageRef image = gfx::ImageReader::read(core::Url::fileURL((folder / name).string()));
        frames.push_back({Time::make(pts * num, den), image ? testmovie::readFrameIndex(*image) : -1});
    }
    return frames;
}

media::ImageGeneratorRef exactGenerator(const media::AssetRef& asset)
{
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(Time::zero());
    generator->setRequestedTimeToleranceAfter(Time::zero());
    return generator;
}

// The frame index of the grab at `time`, or -1 when there is none.
int indexAt(media::ImageGenerator& generator, const Time& time)
{
    try {
        const gfx::ImageRef image = generator.copyImage(time);
        return image ? testmovie::readFrameIndex(*image) : -1;
    } catch (const core::Error&) {
        return -1;
    }
}

class ToolShownFrames : public testing::TestWithParam<ToolMovie> {};

}  // namespace

TEST_P(ToolShownFrames, EveryFrameTimeGivesTheFrameTheToolShowsForwardAndSeeking)
{
    const ToolMovie& param = GetParam();
    const std::string path = mediatest::scratchPath(param.name);
    if (!std::filesystem::exists(path))
        testsupport::runFfmpeg(mediatest::moviePath("h264-25.mp4"), param.arguments, path);
    const testsupport::TempDir folder("shown");
    const std::vector<ShownFrame> shown = framesShownByTheTool(path, folder);
    ASSERT_EQ(shown.size(), 48u);
    for (std::size_t k = 0; k < shown.size(); ++k)
        ASSERT_EQ(shown[k].index, int(k)) << "the tool shows the frames in order";

    const auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());
    // Times the movie's stated duration leaves out cannot be asked for.
    std::vector<ShownFrame> reachable;
    for (const ShownFrame& frame : shown)
        if (frame.time <= asset->duration())
            reachable.push_back(frame);
    ASSERT_GE(reachable.size(), 40u);

    // In order on one generator: the decoder runs forward. The movie's start gives its first frame.
    const auto forward = exactGenerator(asset);
    EXPECT_EQ(indexAt(*forward, Time::zero()), 0) << param.name << " at its start";
    for (const ShownFrame& frame : reachable)
        EXPECT_EQ(indexAt(*forward, frame.time), frame.index) << param.name << " forward at " << frame.time.seconds();

    // Latest first, each on a generator of its own: every grab seeks.
    for (auto frame = reachable.rbegin(); frame != reachable.rend(); ++frame)
        EXPECT_EQ(indexAt(*exactGenerator(asset), frame->time), frame->index)
            << param.name << " seeking to " << frame->time.seconds();
    EXPECT_EQ(indexAt(*exactGenerator(asset), Time::zero()), 0) << param.name << " seeking to its start";
}

INSTANTIATE_TEST_SUITE_P(
    BFrames, ToolShownFrames,
    testing::Values(ToolMovie{"tool-bframes-h264.avi", {"-c:v", "libx264", "-bf", "2", "-g", "12", "-pix_fmt", "yuv420p"}},
                    ToolMovie{"tool-bframes-mpeg2.mpg", {"-c:v", "mpeg2video", "-bf", "2", "-g", "12", "-f", "mpeg"}}),
    [](const testing::TestParamInfo<ToolMovie>& info) { return info.index == 0 ? "H264InAvi" : "Mpeg2InProgramStream"; });
