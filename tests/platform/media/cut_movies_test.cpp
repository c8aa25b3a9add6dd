// Movies cut short, as a download that stopped leaves them: every grab before the cut gives its frame exactly,
// and a grab whose frame lies past the data that decodes fails instead of giving the last frame that does.
#include "platform/core/error.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

using media::Time;
using mediatest::VideoPacket;

namespace {

Time startOf(const testmovie::FrameStart& s) { return Time::make(s.value, s.timescale); }

// The index the grab's picture carries, none when the grab fails.
std::optional<int> grabbedIndex(media::ImageGenerator& generator, const Time& t)
{
    try {
        return testmovie::readFrameIndex(*generator.copyImage(t));
    } catch (const core::Error&) {
        return std::nullopt;
    }
}

struct Probe {
    Time time;
    int index;
    bool lost;  // the cut goes through the frame's packet
};

class CutMovies : public testing::TestWithParam<std::string> {};
class MiddleDamagedMovies : public testing::TestWithParam<std::string> {};

std::string caseName(const testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

}  // namespace

TEST_P(CutMovies, GrabsBeforeTheCutAreExactAndGrabsPastItFail)
{
    const std::string source = mediatest::moviePath(GetParam());
    const auto starts = testmovie::readFrameStarts(source);
    // Where each packet's data ends at the latest: where the next one starts (a transport stream's packets
    // carry headers between their pieces), the last one at the end of the file.
    auto packets = mediatest::videoPackets(source);
    ASSERT_EQ(packets.size(), starts.size());
    const auto size = std::filesystem::file_size(source);
    std::vector<std::int64_t> ends;
    for (std::size_t i = 0; i < packets.size(); ++i)
        ends.push_back(i + 1 < packets.size() ? std::max(packets[i].pos + packets[i].size, packets[i + 1].pos)
                                              : std::int64_t(size));
    // Display order: display index k is the k-th smallest time.
    std::vector<std::size_t> order(packets.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return packets[a].pts < packets[b].pts; });

    for (int percent : {25, 50, 75}) {
        const std::int64_t length = std::int64_t(size * std::uintmax_t(percent) / 100);
        const std::string name = std::to_string(percent) + "-" + GetParam();
        const std::string path = mediatest::cutCopy(source, std::size_t(length), name);
        // The frames before the first one whose packet may be cut are the whole ones.
        std::vector<Probe> probes;
        int whole = 0;
        while (std::size_t(whole) < order.size() && ends[order[std::size_t(whole)]] <= length)
            ++whole;
        for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
            const VideoPacket& packet = packets[order[k]];
            const bool lost = packet.pos + packet.size > length;
            probes.push_back({startOf(starts[k]), int(k), lost});
            probes.push_back({media::multiplyByRatio(startOf(starts[k]) + startOf(starts[k + 1]), 1, 2), int(k), lost});
        }

        auto asset = media::Asset::create(core::Url::fileURL(path));
        const auto judge = [&](const Probe& probe, const std::optional<int>& index) {
            const bool isStart = probe.time == startOf(starts[std::size_t(probe.index)]);
            // Without frame durations in the file, a time past a frame's start and past the last decoding time read
            // may lie in a frame that went missing: the last frames before the cut answer at their starts.
            if (probe.index < whole - 3 || (probe.index < whole && isStart)) {
                EXPECT_EQ(index, probe.index) << name << " at " << probe.time.seconds() << " whole " << whole;
            } else if (probe.lost) {
                EXPECT_EQ(index, std::nullopt) << name << " at " << probe.time.seconds();
            } else if (index) {
                EXPECT_EQ(*index, probe.index) << name << " at " << probe.time.seconds();
            }
        };
        const auto check = [&](media::ImageGenerator& generator, const Probe& probe) {
            judge(probe, grabbedIndex(generator, probe.time));
        };
        if (!asset->isPlayable()) {
            // The first frame cut, or (an index at the end) the index that finds them.
            if (whole > 0) {
                EXPECT_EQ(GetParam(), "h264.mp4") << name;
            }
            whole = 0;
        }
        auto generator = mediatest::exactGenerator(asset);
        for (const Probe& probe : probes)
            check(*generator, probe);
        if (asset->duration().isNumeric()) {
            EXPECT_EQ(grabbedIndex(*generator, asset->duration()), std::nullopt) << name;
        }

        // Again in a shuffled order, each grab on a new generator, on a new asset.
        auto fresh = media::Asset::create(core::Url::fileURL(path));
        std::mt19937 random(percent);
        std::shuffle(probes.begin(), probes.end(), random);
        for (const Probe& probe : probes)
            check(*mediatest::exactGenerator(fresh), probe);

        // All of them in one job on a new asset: the stretches decoded side by side fail past the cut too.
        std::vector<Time> times;
        for (const Probe& probe : probes)
            times.push_back(probe.time);
        std::unique_ptr<media::ImageJob> job;
        try {
            job = mediatest::exactGenerator(media::Asset::create(core::Url::fileURL(path)))->generateImages(times);
        } catch (const core::Error&) {
            // No video that decodes: every grab fails.
        }
        for (const Probe& probe : probes) {
            const std::optional<media::ImageJob::Image> answer = job ? job->next() : media::ImageJob::Image{};
            ASSERT_TRUE(answer) << name;
            judge(probe, answer->image ? std::optional(testmovie::readFrameIndex(*answer->image)) : std::nullopt);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Containers, CutMovies,
                         testing::Values("h264.mkv", "vp9.webm", "h264.mp4", "tool-h264-faststart.mp4", "h264.ts",
                                         "mpeg4.avi"),
                         caseName);

// Bytes in the middle of the file overwritten: a grab gives its own frame or fails, never another.
TEST_P(MiddleDamagedMovies, AGrabGivesItsOwnFrameOrFails)
{
    const std::string source = mediatest::moviePath(GetParam());
    const auto starts = testmovie::readFrameStarts(source);
    const auto size = std::filesystem::file_size(source);
    std::ifstream in(source, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::fill_n(bytes.begin() + std::ptrdiff_t(size / 2), std::min<std::size_t>(400, size / 8), '\0');
    const std::string path = mediatest::scratchPath("middle-" + GetParam());
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));

    auto asset = media::Asset::create(core::Url::fileURL(path));
    auto generator = mediatest::exactGenerator(asset);
    int exact = 0;
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
        for (const Time& t :
             {startOf(starts[k]), media::multiplyByRatio(startOf(starts[k]) + startOf(starts[k + 1]), 1, 2)}) {
            const std::optional<int> index = grabbedIndex(*generator, t);
            if (index) {
                EXPECT_EQ(*index, int(k)) << path << " at " << t.seconds();
                ++exact;
            }
        }
    }
    // The frames before the damage.
    EXPECT_GE(exact, int(starts.size()) / 2) << path;
}

// Transport streams and AVI files are left out: a frame lost from their middle may still lend its time to another.
INSTANTIATE_TEST_SUITE_P(Containers, MiddleDamagedMovies,
                         testing::Values("h264.mkv", "vp9.webm", "h264.mp4", "tool-h264-faststart.mp4"), caseName);

// A whole Matroska file whose sound runs on half a second after its last frame: its video is not cut short, so
// the last frame holds every time up to the movie's end.
TEST(CutMovies, SoundRunningOnPastTheLastFrameIsNoCut)
{
    const std::string source = mediatest::moviePath("h264.mkv");
    const std::string path = mediatest::scratchPath("longer-sound.mkv");
    mediatest::runTool({"/usr/bin/ffmpeg", "-nostdin", "-v", "error", "-y", "-i", source, "-f", "lavfi", "-t", "2.1",
                        "-i", "anullsrc=r=48000", "-c:v", "copy", "-c:a", "aac", path});
    const auto starts = testmovie::readFrameStarts(source);
    auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_GT(asset->duration(), startOf(starts.back()) + Time::make(1, 2));
    auto generator = mediatest::exactGenerator(asset);
    for (std::size_t k = starts.size() - 4; k + 1 < starts.size(); ++k) {
        const Time middle = media::multiplyByRatio(startOf(starts[k]) + startOf(starts[k + 1]), 1, 2);
        EXPECT_EQ(grabbedIndex(*generator, middle), int(k));
    }
    for (const Time& t : {startOf(starts.back()) + Time::make(1, 20), asset->duration()})
        EXPECT_EQ(grabbedIndex(*mediatest::exactGenerator(asset), t), int(starts.size()) - 1) << t.seconds();
}
