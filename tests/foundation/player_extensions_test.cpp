#include "foundation/player_extensions.h"
#include "platform/core/main_loop.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

#include <gtest/gtest.h>

#include <mutex>

using media::Time;
using testsupport::runUntil;

namespace {

// 40 frames at 25 fps, a key frame every 10.
std::string moviePath()
{
    static testsupport::TempDir folder("player-extensions");
    static std::once_flag made;
    std::string path = (folder / "movie.mp4").string();
    std::call_once(made, [&] {
        testmovie::MovieSpec spec;
        spec.rateNum = 25;
        spec.rateDen = 1;
        spec.frameCount = 40;
        spec.keyInterval = 10;
        testmovie::writeMovie(path, spec);
    });
    return path;
}

struct Fixture {
    Fixture()
    {
        item = media::PlayerItem::create(media::Asset::create(core::Url::fileURL(moviePath())));
        player = media::Player::create(item);
        player->setClock(clock);
        runUntil([&] { return shownIndex() == 0; });
    }
    int shownIndex() const
    {
        gfx::ImageRef frame = player->currentVideoFrame();
        return frame ? testmovie::readFrameIndex(*frame) : -1;
    }

    std::shared_ptr<media::ManualPlaybackClock> clock = std::make_shared<media::ManualPlaybackClock>();
    media::PlayerItemRef item;
    media::PlayerRef player;
};

}  // namespace

TEST(PlayerExtensions, PlayPauseTogglesOnTheRate)
{
    Fixture f;
    EXPECT_EQ(kestrane::duration(*f.player), Time::make(40, 25));
    EXPECT_FALSE(kestrane::isPlaying(*f.player));
    kestrane::playPause(*f.player);
    EXPECT_EQ(f.player->rate(), 1);
    EXPECT_TRUE(kestrane::isPlaying(*f.player));
    kestrane::playPause(*f.player);
    EXPECT_EQ(f.player->rate(), 0);
    f.player->setRate(-1);
    EXPECT_TRUE(kestrane::isPlaying(*f.player));
    kestrane::playPause(*f.player);
    EXPECT_EQ(f.player->rate(), 0);
}

TEST(PlayerExtensions, SeeksAndStepsMoveThePicture)
{
    Fixture f;
    kestrane::seekAccurately(*f.player, Time::make(33, 50));  // inside frame 16
    ASSERT_TRUE(runUntil([&] { return f.shownIndex() == 16; }));
    EXPECT_EQ(f.player->currentTime(), Time::make(33, 50));
    kestrane::seekNextFrame(*f.player);
    ASSERT_TRUE(runUntil([&] { return f.shownIndex() == 17; }));
    EXPECT_EQ(f.player->currentTime(), Time::make(17, 25));
    kestrane::step(*f.player, -5);
    ASSERT_TRUE(runUntil([&] { return f.shownIndex() == 12; }));
    kestrane::seekPreviousFrame(*f.player);
    ASSERT_TRUE(runUntil([&] { return f.shownIndex() == 11; }));
    kestrane::seekInaccurately(*f.player, Time::make(37, 25));
    ASSERT_TRUE(runUntil([&] { return f.shownIndex() == 30; }));
    EXPECT_EQ(f.player->currentTime(), Time::make(30, 25));
}

TEST(PlayerExtensions, TimeObserversReportOnTheMainQueue)
{
    Fixture f;
    std::vector<Time> reports;
    auto token = kestrane::addTimeObserver(*f.player, [&](const Time& t) {
        EXPECT_TRUE(core::MainLoop::isMainThread());
        reports.push_back(t);
    });
    kestrane::seekAccurately(*f.player, Time::make(1, 5));
    ASSERT_TRUE(runUntil([&] { return reports.size() == 1; }));
    EXPECT_EQ(reports[0], Time::make(1, 5));
    f.player->play();
    ASSERT_TRUE(runUntil([&] { return reports.size() == 2; }));
    f.clock->advance(0.5);
    ASSERT_TRUE(runUntil([&] { return reports.size() == 3; }));
    EXPECT_EQ(reports[2], Time::make(7, 10));
    f.player->pause();
    f.player->removeTimeObserver(token);

    // Rates no timescale holds, and none at all, still make observers that hear the jumps.
    std::vector<Time> fast, none;
    auto huge = kestrane::addTimeObserver(*f.player, std::int64_t(1) << 40, [&](const Time& t) { fast.push_back(t); });
    auto zero = kestrane::addTimeObserver(*f.player, 0, [&](const Time& t) { none.push_back(t); });
    EXPECT_TRUE(huge);
    EXPECT_TRUE(zero);
    kestrane::seekAccurately(*f.player, Time::make(1, 1));
    ASSERT_TRUE(runUntil([&] { return fast.size() == 1 && none.size() == 1; }));
    f.player->removeTimeObserver(huge);
    f.player->removeTimeObserver(zero);
}

TEST(PlayerExtensions, APlayerWithoutAnItem)
{
    auto player = media::Player::create(nullptr);
    EXPECT_EQ(kestrane::duration(*player), std::nullopt);
    kestrane::step(*player, 3);
    kestrane::seekNextFrame(*player);
    kestrane::playPause(*player);
    EXPECT_TRUE(kestrane::isPlaying(*player));
    EXPECT_EQ(player->currentVideoFrame(), nullptr);
}
