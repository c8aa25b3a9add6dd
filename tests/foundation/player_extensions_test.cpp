#include "foundation/player_extensions.h"

#include "platform/core/main_loop.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

#include <gtest/gtest.h>

using media::Time;
using testsupport::runUntil;

namespace {

Time frameStart(int k) { return Time::make(std::int64_t(k) * 1001, 30000); }

struct Playback {
    Playback()
    {
        testmovie::MovieSpec spec;
        spec.frameCount = 36;
        const std::string path = (dir / "steps.mp4").string();
        testmovie::writeMovie(path, spec);
        player = media::Player::create(media::PlayerItem::create(media::Asset::create(core::Url::fileURL(path))));
        player->setClock(std::make_shared<media::ManualPlaybackClock>());
    }
    bool landsOn(const Time& t)
    {
        return runUntil([&] { return player->currentTime() == t && player->currentVideoFrame(); });
    }

    testsupport::TempDir dir;
    media::PlayerRef player;
};

}  // namespace

TEST(PlayerExtensions, SeeksStepsAndPlayPause)
{
    Playback p;
    EXPECT_EQ(kestrane::duration(*p.player), frameStart(36));
    kestrane::seekAccurately(*p.player, frameStart(20));
    ASSERT_TRUE(p.landsOn(frameStart(20)));
    kestrane::seekInaccurately(*p.player, frameStart(20));
    ASSERT_TRUE(p.landsOn(frameStart(12)));  // the key frame before
    kestrane::step(*p.player, 3);
    ASSERT_TRUE(p.landsOn(frameStart(15)));
    kestrane::seekPreviousFrame(*p.player);
    ASSERT_TRUE(p.landsOn(frameStart(14)));
    kestrane::seekNextFrame(*p.player);
    ASSERT_TRUE(p.landsOn(frameStart(15)));

    kestrane::playPause(*p.player);
    EXPECT_TRUE(kestrane::isPlaying(*p.player));
    p.player->setRate(-1);
    kestrane::playPause(*p.player);
    EXPECT_FALSE(kestrane::isPlaying(*p.player));
}

TEST(PlayerExtensions, TimeObserversReportOnTheMainQueue)
{
    Playback p;
    std::vector<Time> heard;
    const auto token = kestrane::addTimeObserver(*p.player, 0, [&](const Time& t) {
        EXPECT_TRUE(core::MainLoop::isMainThread());
        heard.push_back(t);
    });
    ASSERT_TRUE(token);
    kestrane::seekAccurately(*p.player, frameStart(5));
    ASSERT_TRUE(runUntil([&] { return !heard.empty() && heard.back() == frameStart(5); }));
    p.player->removeTimeObserver(token);
}
