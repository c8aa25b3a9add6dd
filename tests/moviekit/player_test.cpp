#include "moviekit/player.h"

#include "moviekit/movie.h"
#include "platform/core/notification_center.h"
#include "tests/moviekit/test_movies.h"
#include "tests/platform/core/run_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

using media::Time;
using media::TimeRange;
using orvalis::Movie;
using orvalis::Player;
using testsupport::runUntil;

namespace {

Time frameStart(int k) { return Time::make(std::int64_t(k) * 1001, 30000); }

// A movie's player on a clock the test moves by hand.
struct Playback {
    Playback() : movie(Movie::create(core::Url::fileURL(moviekittest::smallMovie()))), player(movie->player())
    {
        player->avplayer()->setClock(clock);
    }
    // Waits until a seek or a step has landed on `t`: the time reads `t` (which it does as soon as a seek is
    // asked for) and the picture is the frame at `t` (the last one from the end on), which it is only once
    // the seek has landed.
    bool landsOn(const Time& t)
    {
        const int frame = int(std::min<std::int64_t>(t.value * 30000 / (std::int64_t(t.timescale) * 1001), 47));
        return runUntil([&] {
            const gfx::ImageRef picture = player->avplayer()->currentVideoFrame();
            return player->currentTime() == t && picture && testmovie::readFrameIndex(*picture) == frame;
        });
    }

    std::shared_ptr<media::ManualPlaybackClock> clock = std::make_shared<media::ManualPlaybackClock>();
    std::shared_ptr<Movie> movie;
    std::shared_ptr<Player> player;
};

// Counts MoviePlayerDidChangeClip for one player.
class ClipPosts : public core::Object {
public:
    explicit ClipPosts(const std::shared_ptr<Player>& player)
    {
        core::NotificationCenter::defaultCenter().addObserver(this, orvalis::MoviePlayerDidChangeClip, player.get(),
                                                              [this](const core::Notification&) { ++count; });
    }
    ~ClipPosts() override { core::NotificationCenter::defaultCenter().removeObserver(this); }
    int count = 0;
};

}  // namespace

TEST(Player, StartsPausedWithTheWholeMovieAsClip)
{
    Playback p;
    EXPECT_EQ(p.movie->player(), p.player);
    EXPECT_EQ(p.player->avasset(), p.movie->avasset());
    EXPECT_EQ(p.player->userRate(), 1.0f);
    EXPECT_EQ(p.player->volume(), 1.0f);
    EXPECT_EQ(p.player->userVolume(), 1.0f);
    EXPECT_FALSE(p.player->isMuted());
    EXPECT_TRUE(p.player->isPaused());
    EXPECT_FALSE(p.player->playing());
    EXPECT_EQ(p.player->duration(), frameStart(48));
    EXPECT_EQ(p.player->clipRange(), TimeRange::make(Time::zero(), frameStart(48)));
    EXPECT_EQ(p.player->clipDuration(), frameStart(48));
    EXPECT_EQ(p.player->currentProgress(), 0);
}

TEST(Player, HoldsNoReferenceToItsMovie)
{
    Playback p;
    std::weak_ptr<Movie> movie = p.movie;
    p.movie.reset();
    EXPECT_TRUE(movie.expired());
    // The end is the last frame, at its own time.
    p.player->seekToEnd();
    EXPECT_TRUE(p.landsOn(frameStart(47)));
    EXPECT_EQ(p.player->currentProgress(), 47.0 / 48);
}

TEST(Player, UserRateStartsEveryPlayback)
{
    Playback p;
    std::vector<float> ratesHeard;
    p.player->addObserver("userRate", [&](const core::KeyValueChange&) { ratesHeard.push_back(p.player->rate()); });

    p.player->setUserRate(2.0f);
    EXPECT_EQ(p.player->rate(), 0);
    p.player->play();
    EXPECT_EQ(p.player->rate(), 2.0f);
    p.player->setUserRate(0.5f);
    EXPECT_EQ(p.player->rate(), 0.5f);
    // Observers hear the new user rate with the player already running at it.
    EXPECT_EQ(ratesHeard, (std::vector<float>{0, 0.5f}));

    p.player->setUserRate(2.0f);
    p.player->playPause();
    EXPECT_TRUE(p.player->isPaused());
    p.player->playPause();
    EXPECT_EQ(p.player->rate(), 2.0f);
    p.player->pause();
    EXPECT_EQ(p.player->rate(), 0);
}

TEST(Player, TemporaryPauseResumesOnlyWhatWasPlaying)
{
    Playback p;
    p.player->temporaryPause();
    p.player->temporaryPlay();
    EXPECT_TRUE(p.player->isPaused());

    p.player->setUserRate(1.5f);
    p.player->play();
    p.player->temporaryPause();
    EXPECT_TRUE(p.player->isPaused());
    p.player->temporaryPlay();
    EXPECT_EQ(p.player->rate(), 1.5f);
    p.player->pause();
    p.player->temporaryPlay();
    EXPECT_EQ(p.player->rate(), 1.5f);
    p.player->pause();
}

TEST(Player, VolumeIsThePlatformPlayers)
{
    Playback p;
    int heard = 0;
    p.player->addObserver("userVolume", [&](const core::KeyValueChange&) { ++heard; });
    p.player->setUserVolume(0);
    EXPECT_TRUE(p.player->isMuted());
    EXPECT_EQ(p.player->avplayer()->volume(), 0);
    p.player->setUserVolume(0.25f);
    EXPECT_FALSE(p.player->isMuted());
    EXPECT_EQ(p.player->userVolume(), 0.25f);
    EXPECT_EQ(heard, 2);
}

TEST(Player, ClipChangesPostOnceEachAndRefuseReversedRanges)
{
    Playback p;
    ClipPosts posts(p.player);
    int announced = 0;
    p.player->addObserver("clipRange", [&](const core::KeyValueChange&) { ++announced; });

    const TimeRange whole = p.player->clipRange();
    p.player->setClipRange(whole);
    EXPECT_EQ(posts.count, 1);

    p.player->setClipStart(frameStart(10));
    EXPECT_EQ(p.player->clipRange(), TimeRange::fromTo(frameStart(10), frameStart(48)));
    p.player->setClipEnd(frameStart(20));
    EXPECT_EQ(p.player->clipRange(), TimeRange::fromTo(frameStart(10), frameStart(20)));
    EXPECT_EQ(posts.count, 3);

    p.player->setClipStart(frameStart(21));
    p.player->setClipEnd(frameStart(9));
    EXPECT_EQ(p.player->clipRange(), TimeRange::fromTo(frameStart(10), frameStart(20)));
    EXPECT_EQ(posts.count, 3);

    p.player->setClipStart(frameStart(20));
    EXPECT_EQ(p.player->clipStart(), frameStart(20));
    EXPECT_EQ(p.player->clipDuration(), Time::zero());
    EXPECT_EQ(posts.count, 4);
    EXPECT_EQ(announced, 4);
}

TEST(Player, SeeksAndStepsLandOnFrames)
{
    Playback p;
    p.player->seekAccurately(frameStart(10));
    ASSERT_TRUE(p.landsOn(frameStart(10)));
    p.player->step(3);
    ASSERT_TRUE(p.landsOn(frameStart(13)));
    p.player->seekPreviousFrame();
    ASSERT_TRUE(p.landsOn(frameStart(12)));
    p.player->seekNextFrame();
    ASSERT_TRUE(p.landsOn(frameStart(13)));

    p.player->setClipRange(TimeRange::fromTo(frameStart(5), frameStart(30)));
    p.player->seekToClipEnd();
    ASSERT_TRUE(p.landsOn(frameStart(30)));
    p.player->seekToClipStart();
    ASSERT_TRUE(p.landsOn(frameStart(5)));
    p.player->seekToEnd();
    ASSERT_TRUE(p.landsOn(frameStart(47)));
    p.player->seekToStart();
    ASSERT_TRUE(p.landsOn(Time::zero()));
    p.player->seekInaccurately(frameStart(30));
    ASSERT_TRUE(p.landsOn(frameStart(24)));  // the key frame before
    EXPECT_TRUE(p.player->isPaused());
}

TEST(Player, PlayingToTheEndLeavesItPausedAtZero)
{
    Playback p;
    p.player->setClipRange(TimeRange::fromTo(frameStart(5), frameStart(30)));
    p.player->seekAccurately(frameStart(40));
    ASSERT_TRUE(p.landsOn(frameStart(40)));
    p.player->setUserRate(2.0f);
    p.player->play();
    p.clock->advance(1);
    p.clock->advance(1);
    ASSERT_TRUE(runUntil([&] { return p.player->isPaused() && p.player->currentTime() == Time::zero(); }));
    ASSERT_TRUE(p.landsOn(Time::zero()));
    // Ready to play again from the movie's start, at the user rate.
    p.player->play();
    EXPECT_EQ(p.player->rate(), 2.0f);
    p.player->pause();
}

TEST(Player, UnplayableMoviesHaveQuietPlayers)
{
    const auto movie = Movie::create(core::Url::fileURL(moviekittest::missingFile()));
    const auto player = movie->player();
    EXPECT_TRUE(player->isPaused());
    EXPECT_FALSE(player->duration().isNumeric());
    EXPECT_FALSE(std::isfinite(player->currentProgress()));
    player->seekToEnd();
    player->step(1);
    player->setClipStart(Time::make(1, 1));
    player->play();
    player->pause();
    core::MainLoop::processEvents(0.02);
}

TEST(Player, AnEndPostedOffTheMainThreadIsHandledOnIt)
{
    Playback p;
    p.player->seekAccurately(frameStart(20));
    ASSERT_TRUE(p.landsOn(frameStart(20)));
    std::vector<bool> pausedOnMain;
    p.player->avplayer()->addObserver("rate", [&](const core::KeyValueChange&) {
        if (p.player->rate() == 0) pausedOnMain.push_back(core::MainLoop::isMainThread());
    });
    p.player->play();
    std::thread([&] {
        core::NotificationCenter::defaultCenter().post(media::PlayerItem::didPlayToEndTimeNotification,
                                                       p.player->avplayer()->currentItem());
    }).join();
    EXPECT_EQ(p.player->rate(), 1.0f);
    ASSERT_TRUE(runUntil([&] { return p.player->isPaused() && p.player->currentTime() == Time::zero(); }));
    EXPECT_EQ(pausedOnMain, (std::vector<bool>{true}));
}

TEST(Player, MoviesLoadedOnAQueueGetWorkingPlayers)
{
    std::shared_ptr<Movie> movie;
    std::thread([&] {
        movie = Movie::create(core::Url::fileURL(moviekittest::smallMovie()));
        movie->player()->setUserVolume(0);
        movie->player()->seekInaccurately(media::Time::make(1, 2));
    }).join();
    EXPECT_TRUE(movie->player()->isMuted());
    EXPECT_TRUE(runUntil([&] { return movie->player()->currentTime() == frameStart(12); }));
}
