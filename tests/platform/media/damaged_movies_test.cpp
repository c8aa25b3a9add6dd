// Movies whose frames do not decode, or not all of them: grabs fail rather than make a picture up or give
// another frame in the place of the one asked for, and seeks on them complete false.
#include "platform/core/error.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "platform/media/player.h"
#include "tests/platform/core/run_until.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <mutex>
#include <vector>

using media::Time;

namespace {

// 24 frames of 640 x 480 with a detailed background, a key frame every 12, no B-frames: each frame's packet
// is large and comes in display order.
std::string transportStreamPath()
{
    static std::once_flag made;
    std::string path = mediatest::scratchPath("damaged-source.ts");
    std::call_once(made, [&] {
        testmovie::MovieSpec spec;
        spec.width = 640;
        spec.height = 480;
        spec.frameCount = 24;
        spec.bFrames = false;
        spec.texture = true;
        testmovie::writeMovie(path, spec);
    });
    return path;
}

Time frameStart(int k) { return Time::make(std::int64_t(k) * 1001, 30000); }

}  // namespace

TEST(DamagedMovies, ATransportStreamCutInsideItsFirstFrameHasNoPictureAndGoesNowhere)
{
    const std::string source = transportStreamPath();
    const auto spans = mediatest::videoPackets(source);
    ASSERT_EQ(spans.size(), 24u);
    // Half of the first frame's data.
    const std::string path = mediatest::cutCopy(source, std::size_t(spans[0].pos + spans[0].size / 2), "cut-first.ts");

    auto asset = media::Asset::create(core::Url::fileURL(path));
    EXPECT_FALSE(asset->isPlayable());
    for (const Time& t : {Time::zero(), Time::make(1, 10)})
        EXPECT_THROW(mediatest::exactGenerator(asset)->copyImage(t), core::Error);

    auto player = media::Player::create(media::PlayerItem::create(asset));
    bool done = false, finished = true;
    player->seek(Time::make(1, 30), Time::zero(), Time::zero(), [&](bool ok) {
        done = true;
        finished = ok;
    });
    ASSERT_TRUE(testsupport::runUntil([&] { return done; }));
    EXPECT_FALSE(finished);
    EXPECT_EQ(player->currentVideoFrame(), nullptr);
}

TEST(DamagedMovies, AFrameCutShortFailsItsGrabInsteadOfGivingTheOneBefore)
{
    const std::string source = transportStreamPath();
    const auto spans = mediatest::videoPackets(source);
    ASSERT_EQ(spans.size(), 24u);
    // The file ends halfway through frame 18 (frames come in display order).
    const std::string path = mediatest::cutCopy(source, std::size_t(spans[18].pos + spans[18].size / 2), "cut-18.ts");
    auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());

    // In order on one generator, and each on a new asset (a seek to the last stretch).
    auto generator = mediatest::exactGenerator(asset);
    for (int k : {0, 12, 17}) {
        EXPECT_EQ(testmovie::readFrameIndex(*generator->copyImage(frameStart(k))), k);
    }
    EXPECT_THROW(generator->copyImage(frameStart(18)), core::Error);
    EXPECT_THROW(generator->copyImage(frameStart(18) + Time::make(1, 100)), core::Error);
    auto fresh = media::Asset::create(core::Url::fileURL(path));
    EXPECT_THROW(mediatest::exactGenerator(fresh)->copyImage(frameStart(18)), core::Error);
    EXPECT_EQ(testmovie::readFrameIndex(*mediatest::exactGenerator(fresh)->copyImage(frameStart(17))), 17);
}

namespace {

// A copy of the movie with bytes in the middle of frame k's packet flipped (frames in display order).
std::string flippedCopy(const std::string& path, int k, const std::string& name)
{
    auto packets = mediatest::videoPackets(path);
    std::sort(packets.begin(), packets.end(), [](const auto& a, const auto& b) { return a.pts < b.pts; });
    const mediatest::VideoPacket& packet = packets.at(std::size_t(k));
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (std::int64_t i = 0; i < 4; ++i)
        bytes.at(std::size_t(packet.pos + packet.size / 2 + i)) ^= 0x55;
    const std::string copy = mediatest::scratchPath(name);
    std::ofstream(copy, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return copy;
}

}  // namespace

// Bits flipped in the middle of a frame: the decoder conceals the damage, and the frames decoded from it until the
// next key frame carry it on. Their grabs fail; the frames before and from the next key frame on are exact.
TEST(DamagedMovies, AFrameWithFlippedBitsAndTheFramesDecodedFromItFailTheirGrabs)
{
    struct Case {
        std::string name;
        testmovie::Codec codec;
        int rate;
    };
    for (const Case& c :
         {Case{"flip.mkv", testmovie::Codec::h264, 30000}, Case{"flip-mpeg2.mkv", testmovie::Codec::mpeg2, 25}}) {
        testmovie::MovieSpec spec;
        spec.codec = c.codec;
        spec.rateNum = c.rate;
        spec.rateDen = c.rate == 25 ? 1 : 1001;
        spec.frameCount = 24;
        spec.bFrames = false;
        spec.texture = true;
        const std::string source = mediatest::scratchPath(c.name);
        testmovie::writeMovie(source, spec);
        const auto starts = testmovie::readFrameStarts(source);
        ASSERT_EQ(starts.size(), 24u);
        const auto startOf = [&](int k) {
            return Time::make(starts[std::size_t(k)].value, starts[std::size_t(k)].timescale);
        };

        for (int damaged : {11, 5}) {
            const std::string path = flippedCopy(source, damaged, std::to_string(damaged) + "-" + c.name);
            // In order on one generator, then each frame on a new asset.
            auto asset = media::Asset::create(core::Url::fileURL(path));
            auto generator = mediatest::exactGenerator(asset);
            for (int pass = 0; pass < 2; ++pass) {
                for (int k = damaged - 1; k <= 12; ++k) {
                    auto grabber = pass == 0
                                       ? generator
                                       : mediatest::exactGenerator(media::Asset::create(core::Url::fileURL(path)));
                    SCOPED_TRACE(path + " frame " + std::to_string(k) + " pass " + std::to_string(pass));
                    if (k < damaged || k == 12) {
                        EXPECT_NO_THROW(EXPECT_EQ(testmovie::readFrameIndex(*grabber->copyImage(startOf(k))), k));
                    } else {
                        EXPECT_THROW(grabber->copyImage(startOf(k)), core::Error);
                    }
                }
            }
        }
    }
}

// Decoders that conceal damage without an error code or a flag on the frame (Theora, Windows Media Video 8) say so
// in the errors they log while decoding its packet: the frame and those decoded from it up to the next key frame
// fail, and the frames before it and from the next key frame on are exact.
TEST(DamagedMovies, DamageADecoderOnlyLogsFailsTheFramesDecodedFromIt)
{
    const std::string source = mediatest::scratchPath("damage-logged-source.mp4");
    testmovie::MovieSpec spec;
    spec.width = 320;
    spec.height = 240;
    spec.frameCount = 24;
    spec.bFrames = false;
    spec.texture = true;
    testmovie::writeMovie(source, spec);
    // The frames whose flipped bits these decoders notice (elsewhere the same flips may leave the picture whole).
    struct Case {
        std::string name;
        std::vector<std::string> arguments;
        std::vector<int> damaged;
    };
    for (const Case& c : {Case{"logged-theora.mkv", {"-c:v", "libtheora", "-g", "12", "-q:v", "7"}, {5}},
                          Case{"logged-wmv2.wmv", {"-c:v", "wmv2", "-g", "12", "-q:v", "3"}, {3, 8}}}) {
        const std::string encoded = mediatest::scratchPath(c.name);
        testsupport::runFfmpeg(source, c.arguments, encoded);
        for (int damaged : c.damaged) {
            const std::string path = flippedCopy(encoded, damaged, std::to_string(damaged) + "-" + c.name);
            const auto asset = media::Asset::create(core::Url::fileURL(path));
            const auto generator = mediatest::exactGenerator(asset);
            for (int k = 0; k < 24; ++k) {
                SCOPED_TRACE(path + " frame " + std::to_string(k));
                // The packet with the flipped bits may hold the frame before it (the container's packets and
                // the frames' indexes need not line up): that one may fail too.
                // In the middle of the frame: Matroska keeps its times in milliseconds.
                const int index = mediatest::exactIndexAt(*generator, frameStart(k) + Time::make(1001, 60000));
                if (k < damaged - 1 || k >= 12)
                    EXPECT_EQ(index, k);
                else if (k >= damaged)
                    EXPECT_EQ(index, -1);
                else
                    EXPECT_TRUE(index == k || index == -1);
            }
        }
    }
}

// The first key frame damaged: time zero is still the movie's start as the container states it, so that every
// frame that decodes keeps its own time, and those decoded from the damaged one fail.
TEST(DamagedMovies, ADamagedFirstKeyFrameLeavesEveryFrameAtItsOwnTime)
{
    testmovie::MovieSpec spec;
    spec.frameCount = 24;
    spec.bFrames = false;
    spec.texture = true;
    const std::string source = mediatest::scratchPath("first-key.mkv");
    testmovie::writeMovie(source, spec);
    const std::string path = flippedCopy(source, 0, "damaged-first-key.mkv");
    const auto starts = testmovie::readFrameStarts(source);
    const auto startOf = [&](int k) {
        return Time::make(starts[std::size_t(k)].value, starts[std::size_t(k)].timescale);
    };

    auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset->isPlayable());
    EXPECT_EQ(asset->timeOrigin(), Time::zero());
    auto generator = mediatest::exactGenerator(asset);
    for (int k : {0, 2, 11, 12, 13, 20, 23}) {
        SCOPED_TRACE("frame " + std::to_string(k));
        if (k < 12) {
            EXPECT_THROW(generator->copyImage(startOf(k)), core::Error);
            continue;
        }
        Time actual;
        EXPECT_NO_THROW(EXPECT_EQ(testmovie::readFrameIndex(*generator->copyImage(startOf(k), &actual)), k));
        EXPECT_EQ(actual, startOf(k));
    }
}

// MPEG-2 B-frames are never referred to: damage in one stays in it.
TEST(DamagedMovies, ADamagedMpeg2BFrameFailsAloneAndLeavesItsNeighboursExact)
{
    testmovie::MovieSpec spec;
    spec.codec = testmovie::Codec::mpeg2;
    spec.rateNum = 25;
    spec.rateDen = 1;
    spec.frameCount = 24;
    spec.texture = true;
    const std::string source = mediatest::scratchPath("b-frames-mpeg2.mkv");
    testmovie::writeMovie(source, spec);
    const auto starts = testmovie::readFrameStarts(source);
    const auto startOf = [&](int k) {
        return Time::make(starts[std::size_t(k)].value, starts[std::size_t(k)].timescale);
    };
    // Frames come as I0 B1 B2 P3 B4 B5 P6 …: frame 4 is a B-frame.
    const std::string path = flippedCopy(source, 4, "damaged-b-frame-mpeg2.mkv");

    auto generator = mediatest::exactGenerator(media::Asset::create(core::Url::fileURL(path)));
    for (int k = 2; k <= 7; ++k) {
        SCOPED_TRACE("frame " + std::to_string(k));
        if (k == 4) {
            EXPECT_THROW(generator->copyImage(startOf(k)), core::Error);
        } else {
            EXPECT_NO_THROW(EXPECT_EQ(testmovie::readFrameIndex(*generator->copyImage(startOf(k))), k));
        }
    }
}
