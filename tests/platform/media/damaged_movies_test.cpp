// Movies whose frames do not decode, or not all of them: grabs fail rather than make a picture up or give
// another frame in the place of the one asked for, and seeks on them complete false.
#include "platform/core/error.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"
#include "platform/media/player.h"
#include "tests/platform/core/run_until.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

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

media::ImageGeneratorRef accurateGenerator(const media::AssetRef& asset)
{
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(Time::zero());
    generator->setRequestedTimeToleranceAfter(Time::zero());
    return generator;
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
        EXPECT_THROW(accurateGenerator(asset)->copyImage(t), core::Error);

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
    auto generator = accurateGenerator(asset);
    for (int k : {0, 12, 17}) {
        EXPECT_EQ(testmovie::readFrameIndex(*generator->copyImage(frameStart(k))), k);
    }
    EXPECT_THROW(generator->copyImage(frameStart(18)), core::Error);
    EXPECT_THROW(generator->copyImage(frameStart(18) + Time::make(1, 100)), core::Error);
    auto fresh = media::Asset::create(core::Url::fileURL(path));
    EXPECT_THROW(accurateGenerator(fresh)->copyImage(frameStart(18)), core::Error);
    EXPECT_EQ(testmovie::readFrameIndex(*accurateGenerator(fresh)->copyImage(frameStart(17))), 17);
}
