// Every frame at its place in display order, whatever the file stores: frame k of a movie at a constant rate starts
// k frame durations after the first one, in containers that store decoding times only (AVI with B-frames), in
// transport streams whose frame durations alternate, and in recordings cut inside a group of pictures, which start
// at their first key frame. The truth is the index each frame carries in its pixels.
#include "platform/core/error.h"
#include "platform/media/asset.h"
#include "platform/media/frame_times.h"
#include "platform/media/image_generator.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using media::Time;

namespace {

// A movie the ffmpeg tool makes from a test movie, and what its frames are.
struct ToolCut {
    std::string name;
    std::string source;  // a test movie of the movie library, or one made here
    std::vector<std::string> arguments;
    int rateNum;
    int rateDen;
    int frameCount;
};

// The test movie at 59.94 frames per second with B-frames, whose frame durations in 90 kHz ticks alternate.
std::string sixtyFpsSource()
{
    const std::string path = mediatest::scratchPath("h264-5994.mp4");
    if (!std::filesystem::exists(path)) {
        testmovie::MovieSpec spec;
        spec.rateNum = 60000;
        spec.rateDen = 1001;
        testmovie::writeMovie(path, spec);
    }
    return path;
}

std::string toolMovie(const ToolCut& movie)
{
    const std::string path = mediatest::scratchPath(movie.name);
    if (!std::filesystem::exists(path)) {
        const std::string source =
            movie.source == "h264-5994.mp4" ? sixtyFpsSource() : mediatest::moviePath(movie.source);
        testsupport::runFfmpeg(source, movie.arguments, path);
    }
    return path;
}

std::vector<ToolCut> toolCuts()
{
    return {
        {"asp-bframes.avi", "h264-25.mp4", {"-c:v", "mpeg4", "-bf", "2", "-g", "12", "-q:v", "3"}, 25, 1, 48},
        {"asp-bframes-xvid.avi",
         "h264-25.mp4",
         {"-c:v", "mpeg4", "-vtag", "XVID", "-bf", "1", "-g", "12", "-q:v", "3"},
         25,
         1,
         48},
        {"h264-bframes.avi",
         "h264-25.mp4",
         {"-c:v", "libx264", "-bf", "3", "-g", "12", "-pix_fmt", "yuv420p"},
         25,
         1,
         48},
        {"h264-5994.ts", "h264-5994.mp4", {"-c", "copy"}, 60000, 1001, 48},
        {"h264-5994-reencoded.ts",
         "h264-5994.mp4",
         {"-c:v", "libx264", "-bf", "2", "-g", "12", "-pix_fmt", "yuv420p"},
         60000,
         1001,
         48},
    };
}

// Test parameters print as their file names.
void PrintTo(const ToolCut& movie, std::ostream* out) { *out << movie.name; }

Time frameStart(const ToolCut& movie, int k) { return Time::make(std::int64_t(k) * movie.rateDen, movie.rateNum); }

class DisplayPositions : public testing::TestWithParam<ToolCut> {};

std::string caseName(const testing::TestParamInfo<ToolCut>& info)
{
    std::string name = info.param.name;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

}  // namespace

TEST_P(DisplayPositions, EveryFrameStartsAtItsPlaceInDisplayOrder)
{
    const ToolCut& movie = GetParam();
    const auto asset = media::Asset::create(core::Url::fileURL(toolMovie(movie)));
    ASSERT_TRUE(asset->isPlayable());
    const Time tick = Time::make(1, 90000);
    const Time half = Time::make(movie.rateDen, 2 * movie.rateNum);

    // Forward on one generator, and each probe on a new one (a seek to the key frame before it).
    const auto forward = mediatest::exactGenerator(asset);
    for (int k = 0; k < movie.frameCount; ++k) {
        const Time start = frameStart(movie, k);
        // The stored start may lie a tick after the exact one (59.94: 1501.5 ticks a frame, rounded).
        const Time storedLate = start + tick;
        Time actual;
        const gfx::ImageRef image = forward->copyImage(storedLate, &actual);
        ASSERT_TRUE(image) << movie.name << " frame " << k;
        EXPECT_EQ(testmovie::readFrameIndex(*image), k) << movie.name << " at the start of frame " << k;
        EXPECT_LE(compare(actual, storedLate), 0) << movie.name << " frame " << k;
        EXPECT_GT(compare(actual, start - tick - tick), 0) << movie.name << " frame " << k;
        EXPECT_EQ(mediatest::exactIndexAt(*forward, start + half), k) << movie.name << " in the middle of frame " << k;
        // One tick before the frame's own start is the frame before.
        if (k > 0) {
            EXPECT_EQ(mediatest::exactIndexAt(*mediatest::exactGenerator(asset), actual - tick), k - 1)
                << movie.name << " one tick before frame " << k;
        }
    }
    // A time before the first frame's start is no frame; the first frame answers from time zero.
    EXPECT_EQ(mediatest::exactIndexAt(*mediatest::exactGenerator(asset), Time::zero()), 0) << movie.name;

    // The frame list every N frames is taken from.
    const auto times = media::videoFrameTimes(*asset);
    ASSERT_TRUE(times);
    ASSERT_EQ(int(times->size()), movie.frameCount) << movie.name;
    for (int k = 0; k < movie.frameCount; ++k) {
        EXPECT_LE(compare((*times)[std::size_t(k)], frameStart(movie, k) + tick), 0) << movie.name << " frame " << k;
        EXPECT_GE(compare((*times)[std::size_t(k)], frameStart(movie, k) - tick), 0) << movie.name << " frame " << k;
        EXPECT_EQ(mediatest::exactIndexAt(*forward, (*times)[std::size_t(k)]), k) << movie.name;
    }
}

TEST_P(DisplayPositions, QuickGrabsGiveAKeyFrameAtItsOwnTime)
{
    const ToolCut& movie = GetParam();
    const auto asset = media::Asset::create(core::Url::fileURL(toolMovie(movie)));
    const auto quick = media::ImageGenerator::create(asset);
    for (int k : {40, 17, 5, 29, 0, 46}) {
        Time actual;
        const gfx::ImageRef image = quick->copyImage(frameStart(movie, k) + Time::make(1, 90000), &actual);
        ASSERT_TRUE(image) << movie.name;
        const int index = testmovie::readFrameIndex(*image);
        EXPECT_LE(index, k) << movie.name;
        EXPECT_GE(index, 0) << movie.name;
        const Time tick = Time::make(1, 90000);
        EXPECT_GE(compare(actual, frameStart(movie, index) - tick), 0) << movie.name << " key frame " << index;
        EXPECT_LE(compare(actual, frameStart(movie, index) + tick), 0) << movie.name << " key frame " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(ToolMovies, DisplayPositions, testing::ValuesIn(toolCuts()), caseName);

namespace {

// A copy of the transport stream that starts with the first packet after its `key`-th key frame (counted from 0),
// cut at the boundary of the 188-byte packet that holds its start: the pictures up to the next key frame refer to
// frames that are not in the copy.
std::string cutInsideGroup(const std::string& path, int key, const std::string& name)
{
    const std::vector<mediatest::VideoPacket> packets = mediatest::videoPackets(path);
    int keys = 0;
    std::int64_t from = -1;
    for (std::size_t i = 0; i + 1 < packets.size(); ++i)
        if (packets[i].key && keys++ == key) {
            from = packets[i + 1].pos / 188 * 188;
            break;
        }
    if (from < 0) throw std::runtime_error("no key frame to cut after in " + path);
    const std::string cut = mediatest::scratchPath(name);
    std::filesystem::remove(cut);
    testsupport::runTool(
        {"/usr/bin/dd", "if=" + path, "of=" + cut, "bs=188", "skip=" + std::to_string(from / 188), "status=none"});
    return cut;
}

struct CutStream {
    std::string name;
    ToolCut movie;
    int firstShown;  // the index of the first key frame after the cut
};

}  // namespace

TEST(CutInsideAGroupOfPictures, TheMovieStartsAtItsFirstKeyFrameAndCountsOnlyShownFrames)
{
    const std::vector<CutStream> cuts = {
        {"cut-h264.ts", {"h264-25.ts", "h264-25.mp4", {"-c", "copy"}, 25, 1, 48}, 24},
        {"cut-mpeg2-open.ts",
         {"mpeg2-open.ts", "h264-25.mp4", {"-c:v", "mpeg2video", "-bf", "2", "-g", "12", "-q:v", "3"}, 25, 1, 48},
         24},
    };
    for (const CutStream& cut : cuts) {
        const std::string path = cutInsideGroup(toolMovie(cut.movie), 1, cut.name);
        const auto asset = media::Asset::create(core::Url::fileURL(path));
        ASSERT_TRUE(asset->isPlayable()) << cut.name;
        const int shown = cut.movie.frameCount - cut.firstShown;

        // Time zero shows the first key frame; the frames follow it one by one.
        const auto generator = mediatest::exactGenerator(asset);
        for (int k = 0; k < shown; ++k)
            EXPECT_EQ(mediatest::exactIndexAt(*generator, frameStart(cut.movie, k)), cut.firstShown + k)
                << cut.name << " at frame " << k;
        EXPECT_EQ(mediatest::exactIndexAt(*mediatest::exactGenerator(asset), Time::zero()), cut.firstShown) << cut.name;

        // The frames counted every N frames are the shown ones only.
        const auto times = media::videoFrameTimes(*asset);
        ASSERT_TRUE(times) << cut.name;
        ASSERT_EQ(int(times->size()), shown) << cut.name;
        std::vector<Time> everyFifth;
        for (std::size_t k = 0; k < times->size(); k += 5)
            everyFifth.push_back((*times)[k]);
        const auto job = mediatest::exactGenerator(asset)->generateImages(everyFifth);
        for (std::size_t j = 0; j < everyFifth.size(); ++j) {
            const auto answer = job->next();
            ASSERT_TRUE(answer && answer->image) << cut.name << " every fifth frame, " << j;
            EXPECT_EQ(testmovie::readFrameIndex(*answer->image), cut.firstShown + int(5 * j)) << cut.name;
        }
        EXPECT_LE(compare(asset->duration(), frameStart(cut.movie, shown)), 0) << cut.name;
    }
}

TEST(DefaultVideoTrack, TheTrackTheFileMarksAsDefaultIsTheMovie)
{
    // A small first track, and the test movie as a second one that the file marks as the default.
    const std::string small = mediatest::scratchPath("small-80x60.mp4");
    const std::string path = mediatest::scratchPath("two-video-tracks.mp4");
    if (!std::filesystem::exists(path)) {
        testmovie::MovieSpec spec;
        spec.width = 80;
        spec.height = 60;
        spec.frameCount = 12;
        testmovie::writeMovie(small, spec);
        testsupport::runTool({"/usr/bin/ffmpeg", "-v", "error", "-y", "-i", small, "-i",
                              mediatest::moviePath("h264.mp4"), "-map", "0:v", "-map", "1:v", "-c", "copy",
                              "-disposition:v:0", "0", "-disposition:v:1", "default", path});
    }
    const auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());
    ASSERT_EQ(asset->tracks(media::MediaType::video).size(), 2u);
    ASSERT_TRUE(asset->videoTrack());
    EXPECT_EQ(asset->videoTrack()->naturalSize().width, 160);
    const gfx::ImageRef image = mediatest::exactGenerator(asset)->copyImage(Time::make(1001 * 30, 30000));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 160);
    EXPECT_EQ(testmovie::readFrameIndex(*image), 30);
    const auto times = media::videoFrameTimes(*asset);
    ASSERT_TRUE(times);
    EXPECT_EQ(times->size(), 48u);
}

TEST(StoredOutOfDisplayOrder, EveryTimeGivesTheFrameWhoseDisplayIntervalHoldsIt)
{
    // Pictures that stand alone (Motion JPEG) whose display times the ffmpeg tool swaps in pairs: stored 1, 0, 3,
    // 2, … on screen, so that display position p shows frame p + 1 when p is even and p - 1 when it is odd.
    const std::string path = mediatest::scratchPath("swapped-pairs.mkv");
    if (!std::filesystem::exists(path)) {
        const std::string source = mediatest::scratchPath("mjpeg-25.mkv");
        testmovie::MovieSpec spec;
        spec.codec = testmovie::Codec::mjpeg;
        spec.rateNum = 25;
        spec.rateDen = 1;
        testmovie::writeMovie(source, spec);
        testsupport::runFfmpeg(
            source, {"-c", "copy", "-bsf:v", "setts=pts=PTS+if(mod(N\\,2)\\,-1\\,1)*DURATION:dts=DTS-DURATION"}, path);
    }
    const auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());
    const auto shownAt = [](int position) { return position % 2 == 0 ? position + 1 : position - 1; };
    const ToolCut movie{"swapped-pairs.mkv", "", {}, 25, 1, 48};
    std::vector<Time> times;
    std::vector<int> expected;
    for (int p = 0; p < movie.frameCount; ++p)
        for (const Time& offset : {Time::zero(), Time::make(1, 50), Time::make(39, 1000)}) {
            times.push_back(frameStart(movie, p) + offset);
            expected.push_back(shownAt(p));
        }
    // Forward on one generator, then each time on a new one.
    const auto forward = mediatest::exactGenerator(asset);
    for (std::size_t i = 0; i < times.size(); ++i) {
        EXPECT_EQ(mediatest::exactIndexAt(*forward, times[i]), expected[i]) << "at " << times[i].seconds();
        EXPECT_EQ(mediatest::exactIndexAt(*mediatest::exactGenerator(asset), times[i]), expected[i])
            << "seeking to " << times[i].seconds();
    }
    // A job of every time, latest first.
    std::reverse(times.begin(), times.end());
    std::reverse(expected.begin(), expected.end());
    const auto job = mediatest::exactGenerator(asset)->generateImages(times);
    for (std::size_t i = 0; i < times.size(); ++i) {
        const auto answer = job->next();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->image ? testmovie::readFrameIndex(*answer->image) : -1, expected[i])
            << "in a job at " << times[i].seconds();
    }
    const auto starts = media::videoFrameTimes(*asset);
    ASSERT_TRUE(starts);
    ASSERT_EQ(int(starts->size()), movie.frameCount);
    for (int p = 0; p < movie.frameCount; ++p)
        EXPECT_EQ((*starts)[std::size_t(p)], frameStart(movie, p));
}
