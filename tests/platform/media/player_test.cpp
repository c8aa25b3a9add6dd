#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "platform/core/notification_center.h"
#include "platform/media/detail/paused_players.h"
#include "platform/media/image_generator.h"
#include "platform/media/player.h"
#include "tests/platform/core/run_until.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <thread>

using media::Time;
using testsupport::runUntil;

namespace {

// 110 frames of H.264 with B-frames, a key frame every 24.
std::string longMoviePath()
{
    static std::once_flag made;
    std::string path = mediatest::scratchPath("player-h264-110.mp4");
    std::call_once(made, [&] {
        testmovie::MovieSpec spec;
        spec.frameCount = 110;
        spec.keyInterval = 24;
        testmovie::writeMovie(path, spec);
    });
    return path;
}

Time frameStart(int k) { return Time::make(std::int64_t(k) * 1001, 30000); }

// A player on a movie with a clock the test moves, counting the pictures it puts on screen.
struct Playback {
    explicit Playback(const std::string& path)
    {
        asset = media::Asset::create(core::Url::fileURL(path));
        item = media::PlayerItem::create(asset);
        player = media::Player::create(item);
        player->setClock(clock);
        player->setFrameHandler([this](const gfx::ImageRef& image) {
            EXPECT_TRUE(core::MainLoop::isMainThread());
            EXPECT_EQ(image, player->currentVideoFrame());
            ++framesShown;
        });
    }

    // Waits until the first picture is on screen and the frame handler has heard of it, so that the next
    // picture it hears of is the next landing's.
    bool firstPicture()
    {
        return runUntil([&] { return shownIndex() == 0 && framesShown > 0; });
    }
    int shownIndex() const
    {
        gfx::ImageRef frame = player->currentVideoFrame();
        return frame ? testmovie::readFrameIndex(*frame) : -1;
    }
    // Waits for the picture of the next landing (a step or a seek).
    bool nextPicture(int before)
    {
        return runUntil([&] { return framesShown > before; });
    }
    bool step(int count)
    {
        int before = framesShown;
        player->step(count);
        return nextPicture(before);
    }
    bool seek(const Time& t, const Time& tolerance)
    {
        bool finished = false, called = false;
        player->seek(t, tolerance, tolerance, [&](bool ok) {
            EXPECT_TRUE(core::MainLoop::isMainThread());
            finished = ok;
            called = true;
        });
        return runUntil([&] { return called; }) && finished;
    }

    std::shared_ptr<media::ManualPlaybackClock> clock = std::make_shared<media::ManualPlaybackClock>();
    media::AssetRef asset;
    media::PlayerItemRef item;
    media::PlayerRef player;
    int framesShown = 0;
};

int grabbedIndex(const media::AssetRef& asset, const Time& t)
{
    auto generator = media::ImageGenerator::create(asset);
    generator->setRequestedTimeToleranceBefore(Time::zero());
    generator->setRequestedTimeToleranceAfter(Time::zero());
    return testmovie::readFrameIndex(*generator->copyImage(t));
}

}  // namespace

TEST(Player, StartsPausedOnTheFirstFrame)
{
    Playback p(mediatest::moviePath("h264.mp4"));
    EXPECT_EQ(p.player->rate(), 0);
    EXPECT_EQ(p.player->volume(), 1);
    EXPECT_EQ(p.player->currentItem(), p.item);
    EXPECT_EQ(p.item->duration(), Time::make(48 * 1001, 30000));
    ASSERT_TRUE(runUntil([&] { return p.player->currentVideoFrame() != nullptr; }));
    EXPECT_EQ(p.shownIndex(), 0);
    EXPECT_EQ(p.player->currentTime(), Time::zero());
    EXPECT_EQ(p.item->currentTime(), Time::zero());
}

TEST(Player, SteppingVisitsEveryFrameOnceEachWay)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    for (int k = 1; k <= 100; ++k) {
        ASSERT_TRUE(p.step(1));
        ASSERT_EQ(p.shownIndex(), k);
        ASSERT_EQ(p.player->currentTime(), frameStart(k));
    }
    EXPECT_EQ(grabbedIndex(p.asset, p.player->currentTime()), 100);
    for (int k = 99; k >= 0; --k) {
        ASSERT_TRUE(p.step(-1));
        ASSERT_EQ(p.shownIndex(), k);
        ASSERT_EQ(p.player->currentTime(), frameStart(k));
        if (k % 25 == 0) {
            EXPECT_EQ(grabbedIndex(p.asset, p.player->currentTime()), k);
        }
    }
}

TEST(Player, StepsStopAtTheEndsAndGoThroughTheItem)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    ASSERT_TRUE(p.step(-3));
    EXPECT_EQ(p.shownIndex(), 0);
    ASSERT_TRUE(p.step(1000));
    EXPECT_EQ(p.shownIndex(), 109);
    EXPECT_EQ(p.player->currentTime(), frameStart(109));
    // Across key frames, backwards by many at once.
    ASSERT_TRUE(p.step(-60));
    EXPECT_EQ(p.shownIndex(), 49);
    int before = p.framesShown;
    p.item->step(2);
    ASSERT_TRUE(p.nextPicture(before));
    EXPECT_EQ(p.shownIndex(), 51);
    EXPECT_EQ(p.item->currentTime(), frameStart(51));
}

TEST(Player, StepsIssuedBeforeTheFirstLandsAddUp)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    for (int i = 0; i < 5; ++i)
        p.player->step(2);
    p.player->step(-1);
    ASSERT_TRUE(runUntil([&] { return p.shownIndex() == 9; }));
    EXPECT_EQ(p.player->currentTime(), frameStart(9));
}

TEST(Player, WorkAskedWhileMovesAreUnderWaySeesWhereTheyLandAndTheMovesAfterItWaitForIt)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    // What each piece of work saw: the picture on screen and the time it names.
    std::vector<std::pair<int, Time>> seen;
    const auto note = [&] { seen.emplace_back(p.shownIndex(), p.player->shownFrameTime()); };
    p.player->whenSettled(note);
    ASSERT_EQ(seen.size(), 1u) << "nothing under way: at once";
    // A step past the first frame goes nowhere, and lands all the same.
    p.player->step(-5);
    p.player->whenSettled(note);
    ASSERT_TRUE(runUntil([&] { return seen.size() == 2; }));
    // Keys typed ahead of the pictures: Right, Right, snap, Right, snap, three Left, snap, then a seek and a snap.
    p.player->step(1);
    p.player->step(1);
    p.player->whenSettled(note);
    p.player->step(1);
    p.player->whenSettled(note);
    for (int i = 0; i < 3; ++i)
        p.player->step(-1);
    p.player->whenSettled(note);
    bool sought = false;
    p.player->seek(frameStart(30), Time::zero(), Time::zero(), [&](bool finished) { sought = finished; });
    p.player->whenSettled(note);
    ASSERT_TRUE(runUntil([&] { return seen.size() == 6; }));
    const std::vector<std::pair<int, Time>> expected = {{0, frameStart(0)}, {0, frameStart(0)}, {2, frameStart(2)},
                                                        {3, frameStart(3)}, {0, frameStart(0)}, {30, frameStart(30)}};
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(sought);
}

TEST(Player, ExactSeeksShowTheFrameHoldingTheTime)
{
    Playback p(longMoviePath());
    struct Case {
        Time time;
        int index;
    };
    std::vector<Case> cases = {
        {Time::make(2 * 37 * 1001 + 1001, 60000), 37},  // mid-frame
        {frameStart(80), 80},                           // a frame start
        {Time::make(60 * 1001 - 1, 30000), 59},         // just before a frame starts
        {frameStart(3), 3},                             // backwards, before a key frame
        {Time::withSeconds(100, 600), 109},             // past the end: the last frame, at its own time
        {Time::make(-5, 1), 0},                         // before the start
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(p.seek(c.time, Time::zero()));
        EXPECT_EQ(p.shownIndex(), c.index);
        Time expected = c.time;
        if (c.index == 109)
            expected = frameStart(109);
        else if (c.index == 0)
            expected = Time::zero();
        EXPECT_EQ(p.player->currentTime(), expected);
        EXPECT_EQ(grabbedIndex(p.asset, p.player->currentTime()), c.index);
    }
}

TEST(Player, StepsBackAfterAnExactSeekGiveEachFrameBeforeIt)
{
    // Past the frames the seek keeps and across key frames, with B-frames and with open groups of pictures.
    for (const std::string& name : {std::string("h264.ts"), std::string("mpeg2-start.ts"), std::string("vp9.webm")}) {
        SCOPED_TRACE(name);
        const std::string path = mediatest::moviePath(name);
        const std::vector<testmovie::FrameStart> starts = testmovie::readFrameStarts(path);
        ASSERT_GT(starts.size(), 40u);
        Playback p(path);
        ASSERT_TRUE(p.firstPicture());
        ASSERT_TRUE(p.seek(Time::make(starts[40].value, starts[40].timescale), Time::zero()));
        ASSERT_EQ(p.shownIndex(), 40);
        for (int k = 39; k >= 20; --k) {
            ASSERT_TRUE(p.step(-1));
            ASSERT_EQ(p.shownIndex(), k);
            ASSERT_EQ(p.player->currentTime(),
                      Time::make(starts[std::size_t(k)].value, starts[std::size_t(k)].timescale));
        }
        // Forwards again by steps and by playing: every frame in its turn.
        ASSERT_TRUE(p.step(3));
        EXPECT_EQ(p.shownIndex(), 23);
        p.player->play();
        for (int k = 24; k <= 36; ++k) {
            // Into the middle of frame k.
            const Time start = Time::make(starts[std::size_t(k)].value, starts[std::size_t(k)].timescale);
            p.clock->advance((start - p.player->currentTime()).seconds() + 0.5 / 30);
            ASSERT_TRUE(runUntil([&] { return p.shownIndex() == k; })) << k;
        }
        p.player->pause();
    }
}

// A job of many frames asks the players at rest to give back their decoders' memory: a paused player goes on from
// its frame, and a playing one plays on.
TEST(Player, AJobOfManyFramesLeavesPausedAndPlayingPlayersOnTheirFrames)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    ASSERT_TRUE(p.seek(frameStart(60), Time::zero()));
    ASSERT_EQ(p.shownIndex(), 60);
    const auto runJob = [&] {
        // One time in each key-frame stretch of the movie, so that the job decodes on several decoders.
        std::vector<Time> times;
        for (int k = 5; k < 110; k += 24)
            times.push_back(frameStart(k));
        const auto job = mediatest::exactGenerator(p.asset)->generateImages(times);
        for (int k = 5; k < 110; k += 24) {
            const auto answer = job->next();
            ASSERT_TRUE(answer && answer->image);
            EXPECT_EQ(testmovie::readFrameIndex(*answer->image), k);
        }
    };
    runJob();
    for (int k = 61; k <= 64; ++k) {
        ASSERT_TRUE(p.step(1));
        ASSERT_EQ(p.shownIndex(), k);
    }
    runJob();
    for (int k = 63; k >= 40; --k) {
        ASSERT_TRUE(p.step(-1));
        ASSERT_EQ(p.shownIndex(), k);
        ASSERT_EQ(p.player->currentTime(), frameStart(k));
    }
    runJob();
    p.player->play();
    for (int k = 41; k <= 50; ++k) {
        if (k == 45) runJob();
        // Into the middle of frame k.
        p.clock->advance((frameStart(k) - p.player->currentTime()).seconds() + 0.5 / 30);
        ASSERT_TRUE(runUntil([&] { return p.shownIndex() == k; })) << k;
    }
    p.player->pause();
    EXPECT_EQ(grabbedIndex(p.asset, p.player->currentTime()), 50);
}

TEST(Player, HandsOverThePictureOnScreenOnlyAtTheTimeItHolds)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    ASSERT_TRUE(p.step(40));
    const Time shownTime = p.player->currentTime();
    gfx::ImageRef handed = p.player->videoFrameShownAt(shownTime);
    ASSERT_TRUE(handed);
    EXPECT_EQ(handed, p.player->currentVideoFrame());
    EXPECT_EQ(testmovie::readFrameIndex(*handed), 40);
    // Another time, even one inside the same frame, is grabbed by the caller.
    EXPECT_FALSE(p.player->videoFrameShownAt(shownTime + Time::make(1, 90000)));
    EXPECT_FALSE(p.player->videoFrameShownAt(frameStart(41)));

    // While a step is under way the picture is about to change.
    p.player->step(1);
    EXPECT_FALSE(p.player->videoFrameShownAt(shownTime));
    ASSERT_TRUE(runUntil([&] { return p.shownIndex() == 41; }));
    ASSERT_TRUE(runUntil([&] { return p.player->videoFrameShownAt(frameStart(41)) != nullptr; }));

    // An exact seek to the middle of a frame hands it over at the time asked for.
    const Time middle = frameStart(70) + Time::make(1, 60000);
    ASSERT_TRUE(p.seek(middle, Time::zero()));
    ASSERT_TRUE(p.player->videoFrameShownAt(middle));
    EXPECT_EQ(testmovie::readFrameIndex(*p.player->videoFrameShownAt(middle)), 70);

    // Playing, nothing is handed over; paused again, the frame on screen is.
    p.player->play();
    EXPECT_FALSE(p.player->videoFrameShownAt(p.player->currentTime()));
    p.clock->advance(0.2);
    ASSERT_TRUE(runUntil([&] { return p.shownIndex() > 70; }));
    p.player->pause();
    gfx::ImageRef paused = p.player->videoFrameShownAt(p.player->currentTime());
    ASSERT_TRUE(paused);
    EXPECT_EQ(testmovie::readFrameIndex(*paused), grabbedIndex(p.asset, p.player->currentTime()));
}

TEST(Player, QuickSeeksStopAtTheKeyFrameBefore)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.seek(frameStart(70) + Time::make(1, 60000), Time::positiveInfinity()));
    EXPECT_EQ(p.shownIndex(), 48);
    EXPECT_EQ(p.player->currentTime(), frameStart(48));
}

TEST(Player, ANewerSeekFinishesTheOlderWithFalse)
{
    Playback p(longMoviePath());
    std::vector<std::pair<int, bool>> results;
    p.player->seek(frameStart(90), Time::zero(), Time::zero(), [&](bool ok) { results.push_back({1, ok}); });
    p.player->seek(frameStart(20), Time::zero(), Time::zero(), [&](bool ok) { results.push_back({2, ok}); });
    p.player->seek(Time::invalid(), Time::zero(), Time::zero(), [&](bool ok) { results.push_back({3, ok}); });
    ASSERT_TRUE(runUntil([&] { return results.size() == 3; }));
    // The second seek may land before the third is even asked for: those two finish in either order.
    EXPECT_EQ(results[0], std::make_pair(1, false));
    std::sort(results.begin() + 1, results.end());
    EXPECT_EQ(results[1], std::make_pair(2, true));
    EXPECT_EQ(results[2], std::make_pair(3, false));
    EXPECT_EQ(p.shownIndex(), 20);
    // A step takes over from a seek under way too, and starts where the seek was going. (On a busy machine the
    // seek may have finished before the step comes; its completion then says so.)
    std::vector<bool> finished;
    p.player->seek(frameStart(90), Time::zero(), Time::zero(), [&](bool ok) { finished.push_back(ok); });
    p.player->step(1);
    ASSERT_TRUE(runUntil([&] { return p.shownIndex() == 91; }));
    ASSERT_TRUE(runUntil([&] { return !finished.empty(); }));
    EXPECT_EQ(finished.size(), 1u);
}

TEST(Player, RateAndVolumeNotifyEverySettingOnTheSettingThread)
{
    Playback p(mediatest::moviePath("h264.mp4"));
    std::vector<float> rates;
    std::vector<std::thread::id> threads;
    std::mutex mutex;
    p.player->addObserver("rate", [&](const core::KeyValueChange&) {
        std::lock_guard lock(mutex);
        rates.push_back(p.player->rate());
        threads.push_back(std::this_thread::get_id());
    });
    int volumes = 0;
    p.player->addObserver("volume", [&](const core::KeyValueChange& change) {
        ++volumes;
        EXPECT_EQ(std::any_cast<float>(change.newValue), p.player->volume());
    });
    p.player->play();
    p.player->play();
    p.player->setRate(2);
    p.player->pause();
    p.player->setRate(-1);
    std::thread([&] { p.player->setRate(0.5f); }).join();
    p.player->setValueForKey("rate", std::any(0.0f));
    EXPECT_EQ(rates, (std::vector<float>{1, 1, 2, 0, -1, 0.5f, 0}));
    EXPECT_NE(threads[5], std::this_thread::get_id());
    EXPECT_EQ(threads[4], std::this_thread::get_id());
    p.player->setVolume(0.25f);
    p.player->setVolume(0.25f);
    EXPECT_EQ(volumes, 2);
    EXPECT_EQ(std::any_cast<float>(p.player->valueForKey("volume")), 0.25f);
}

TEST(Player, TheClockDrivesPlaybackAtTheRate)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    p.player->play();
    EXPECT_EQ(p.player->currentTime(), Time::zero());
    p.clock->advance(0.5);
    EXPECT_EQ(p.player->currentTime(), Time::make(1, 2));
    // 0.5 s lies in frame 14 (14 · 1001/30000 = 0.4671 s).
    ASSERT_TRUE(runUntil([&] { return p.shownIndex() == 14; }));
    p.player->setRate(2);
    p.clock->advance(0.25);
    EXPECT_EQ(p.player->currentTime(), Time::make(1, 1));
    ASSERT_TRUE(runUntil([&] { return p.shownIndex() == 29; }));
    p.player->pause();
    // Paused, the time is that of the picture on screen.
    EXPECT_EQ(p.player->currentTime(), frameStart(29));
    EXPECT_EQ(grabbedIndex(p.asset, p.player->currentTime()), 29);
    p.clock->advance(5);
    EXPECT_EQ(p.player->currentTime(), frameStart(29));
    // Negative rates are kept but the time stands.
    p.player->setRate(-1);
    p.clock->advance(1);
    EXPECT_EQ(p.player->rate(), -1);
    EXPECT_EQ(p.player->currentTime(), frameStart(29));
    // Stepping pauses.
    p.player->play();
    p.clock->advance(0.1);
    ASSERT_TRUE(p.step(1));
    EXPECT_EQ(p.player->rate(), 0);
    int shown = p.shownIndex();
    EXPECT_EQ(p.player->currentTime(), frameStart(shown));
}

TEST(Player, PlayingToTheEndStopsThenPostsOnTheMainThread)
{
    Playback p(mediatest::moviePath("h264.mp4"));
    std::vector<std::string> events;
    p.player->addObserver(
        "rate", [&](const core::KeyValueChange&) { events.push_back("rate " + std::to_string(p.player->rate())); });
    int posts = 0;
    core::NotificationCenter::defaultCenter().addObserver(p.player.get(),
                                                          media::PlayerItem::didPlayToEndTimeNotification, p.item.get(),
                                                          [&](const core::Notification& n) {
                                                              EXPECT_TRUE(core::MainLoop::isMainThread());
                                                              EXPECT_EQ(n.object, p.item);
                                                              EXPECT_EQ(p.player->rate(), 0);
                                                              events.push_back("end");
                                                              ++posts;
                                                          });
    ASSERT_TRUE(p.firstPicture());
    p.player->play();
    p.clock->advance(1);
    p.clock->advance(1);
    ASSERT_TRUE(runUntil([&] { return posts == 1; }));
    EXPECT_EQ(events, (std::vector<std::string>{"rate 1.000000", "rate 0.000000", "end"}));
    EXPECT_EQ(p.shownIndex(), 47);
    EXPECT_EQ(p.player->currentTime(), frameStart(47));
    EXPECT_EQ(p.player->videoFrameShownAt(frameStart(47)), p.player->currentVideoFrame());
    EXPECT_EQ(grabbedIndex(p.asset, p.player->currentTime()), 47);
    core::NotificationCenter::defaultCenter().removeObserver(p.player.get());
}

// A movie cut short (a download that stopped): its end is its last frame that decodes, for seeks to its
// duration or anywhere past that frame, and for playback, which stops there.
TEST(Player, ACutMovieEndsAtItsLastFrameThatDecodes)
{
    const std::string source = mediatest::moviePath("h264.mkv");
    const std::string path = mediatest::cutCopy(source, std::filesystem::file_size(source) / 2, "player-cut-half.mkv");
    Playback p(path);
    ASSERT_TRUE(p.firstPicture());
    const Time last = p.asset->lastFrameTime();
    ASSERT_TRUE(last.isNumeric());
    const int lastIndex = grabbedIndex(p.asset, last);
    EXPECT_GT(lastIndex, 10);
    EXPECT_LT(lastIndex, 40);
    EXPECT_LT(last, p.item->duration());

    for (const Time& t : {p.item->duration(), media::multiplyByRatio(last + p.item->duration(), 1, 2)}) {
        ASSERT_TRUE(p.seek(t, Time::zero()));
        EXPECT_EQ(p.shownIndex(), lastIndex);
        EXPECT_EQ(p.player->currentTime(), last);
        ASSERT_TRUE(p.seek(Time::zero(), Time::zero()));
    }

    int posts = 0;
    core::NotificationCenter::defaultCenter().addObserver(p.player.get(),
                                                          media::PlayerItem::didPlayToEndTimeNotification, p.item.get(),
                                                          [&](const core::Notification&) { ++posts; });
    p.player->play();
    for (int second = 0; second < 3 && posts == 0; ++second) {
        p.clock->advance(1);
        runUntil([&] { return posts > 0; });
    }
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(p.shownIndex(), lastIndex);
    EXPECT_EQ(p.player->currentTime(), last);
    core::NotificationCenter::defaultCenter().removeObserver(p.player.get());
}

TEST(Player, PeriodicObserversReportJumpsStartsStopsAndPlayback)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    std::vector<Time> reports;
    auto token = p.player->addPeriodicTimeObserver(Time::make(1, 10), nullptr, [&](const Time& t) {
        EXPECT_TRUE(core::MainLoop::isMainThread());
        reports.push_back(t);
    });
    ASSERT_TRUE(token);
    // Paused, nothing reports by itself.
    core::MainLoop::processEvents(0.02);
    EXPECT_TRUE(reports.empty());

    ASSERT_TRUE(p.seek(frameStart(10), Time::zero()));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports.back(), frameStart(10));
    ASSERT_TRUE(p.step(1));
    ASSERT_TRUE(runUntil([&] { return reports.size() == 2; }));
    EXPECT_EQ(reports.back(), frameStart(11));

    p.player->play();
    ASSERT_TRUE(runUntil([&] { return reports.size() == 3; }));
    EXPECT_EQ(reports.back(), frameStart(11));
    // 0.35 s of playback from 0.367 s passes the reports due at 0.4, 0.5, 0.6 and 0.7 s; a jump of the clock
    // reports once, at the time reached.
    p.clock->advance(0.35);
    ASSERT_TRUE(runUntil([&] { return reports.size() == 4; }));
    EXPECT_EQ(reports.back(), frameStart(11) + Time::withSeconds(0.35, 1000000000));
    for (int i = 0; i < 3; ++i)
        p.clock->advance(0.05);
    ASSERT_TRUE(runUntil([&] { return reports.size() >= 5; }));
    p.player->pause();
    std::size_t stopped = reports.size() + 1;
    ASSERT_TRUE(runUntil([&] { return reports.size() == stopped; }));
    EXPECT_EQ(reports.back(), p.player->currentTime());

    p.player->removeTimeObserver(token);
    ASSERT_TRUE(p.seek(frameStart(30), Time::zero()));
    ASSERT_TRUE(p.step(-2));
    p.player->play();
    p.clock->advance(1);
    p.player->pause();
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(reports.size(), stopped);
}

TEST(Player, ObserversRunOnTheirQueueAndBoundariesFireWhenCrossed)
{
    Playback p(longMoviePath());
    ASSERT_TRUE(p.firstPicture());
    auto queue = core::DispatchQueue::makeSerial("player-test");
    // Shared with the observer, whose calls on the queue may still come while the test ends.
    auto onQueue = std::make_shared<std::atomic<int>>(0);
    auto elsewhere = std::make_shared<std::atomic<bool>>(false);
    p.player->addPeriodicTimeObserver(Time::make(1, 25), queue, [onQueue, elsewhere](const Time&) {
        if (core::MainLoop::isMainThread()) *elsewhere = true;
        ++*onQueue;
    });
    std::vector<int> crossed;
    p.player->addBoundaryTimeObserver({Time::make(1, 2), Time::make(3, 2)}, nullptr, [&] {
        EXPECT_TRUE(core::MainLoop::isMainThread());
        crossed.push_back(p.shownIndex());
    });
    p.player->play();
    p.clock->advance(0.4);
    core::MainLoop::processEvents(0.03);
    EXPECT_TRUE(crossed.empty());
    p.clock->advance(0.2);
    ASSERT_TRUE(runUntil([&] { return crossed.size() == 1; }));
    ASSERT_TRUE(runUntil([&] { return *onQueue >= 2; }));
    EXPECT_FALSE(*elsewhere);
    // A seek across a boundary does not cross it.
    ASSERT_TRUE(p.seek(Time::make(2, 1), Time::zero()));
    p.player->pause();
    core::MainLoop::processEvents(0.03);
    EXPECT_EQ(crossed.size(), 1u);
}

TEST(Player, MoviesWithoutPicturesPlayByTheClock)
{
    Playback p(mediatest::moviePath("sound-only.mp4"));
    ASSERT_TRUE(p.asset->duration().isNumeric());
    int posts = 0;
    core::NotificationCenter::defaultCenter().addObserver(p.player.get(),
                                                          media::PlayerItem::didPlayToEndTimeNotification, p.item.get(),
                                                          [&](const core::Notification&) { ++posts; });
    EXPECT_TRUE(p.seek(Time::make(1, 2), Time::zero()));
    EXPECT_EQ(p.player->currentTime(), Time::make(1, 2));
    p.player->step(3);
    EXPECT_EQ(p.player->currentTime(), Time::make(1, 2));
    p.player->play();
    p.clock->advance(0.25);
    EXPECT_EQ(p.player->currentTime(), Time::make(3, 4));
    p.clock->advance(100);
    ASSERT_TRUE(runUntil([&] { return posts == 1; }));
    EXPECT_EQ(p.player->rate(), 0);
    EXPECT_EQ(p.player->currentTime(), p.asset->duration());
    EXPECT_EQ(p.player->currentVideoFrame(), nullptr);
    core::NotificationCenter::defaultCenter().removeObserver(p.player.get());
}

TEST(Player, BrokenMoviesNeverBreakThePlayer)
{
    std::string good = longMoviePath();
    std::ifstream in(good, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> paths = {mediatest::scratchPath("player-missing.mp4")};
    auto write = [&](const std::string& name, const std::vector<char>& data) {
        std::string path = mediatest::scratchPath(name);
        std::ofstream(path, std::ios::binary).write(data.data(), std::streamsize(data.size()));
        paths.push_back(path);
    };
    write("player-empty.mp4", {});
    write("player-half.mp4", std::vector<char>(bytes.begin(), bytes.begin() + std::ptrdiff_t(bytes.size() / 2)));
    std::vector<char> damaged = bytes;
    std::mt19937 random(7);
    for (std::size_t i = damaged.size() / 3; i < damaged.size(); i += 97)
        damaged[i] = char(random());
    write("player-damaged.mp4", damaged);
    std::vector<char> noise(20000);
    for (char& c : noise)
        c = char(random());
    write("player-noise.mp4", noise);

    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        Playback p(path);
        p.player->seek(Time::make(1, 1), Time::zero(), Time::zero());
        p.player->step(-2);
        p.player->step(5);
        bool done = false, finished = true;
        p.player->seek(Time::make(1, 3), Time::zero(), Time::zero(), [&](bool ok) {
            done = true;
            finished = ok;
        });
        ASSERT_TRUE(runUntil([&] { return done; }));
        // Only the damaged movie keeps frames that decode; a seek on the others goes nowhere.
        if (path.find("damaged") == std::string::npos) {
            EXPECT_FALSE(p.asset->isPlayable());
            EXPECT_FALSE(finished);
        }
        p.player->play();
        for (int i = 0; i < 10; ++i)
            p.clock->advance(1);
        ASSERT_TRUE(runUntil([&] { return p.player->rate() == 0; }));
    }
}

// Players let go while they play, seek and step: nothing keeps them, and the seek each was asked for answers
// once, though the player may be gone by then.
TEST(Player, GoesAwayWhileBusy)
{
    auto completions = std::make_shared<int>(0);
    for (int i = 0; i < 3; ++i) {
        std::weak_ptr<media::Player> gone;
        {
            Playback p(longMoviePath());
            gone = p.player;
            p.player->play();
            p.clock->advance(0.5);
            p.player->seek(frameStart(90), Time::zero(), Time::zero(), [completions](bool) { ++*completions; });
            p.player->step(-4);
            core::MainLoop::processEvents(0.005 * i);
        }
        EXPECT_TRUE(runUntil([&] { return gone.expired(); })) << "player " << i << " outlived its last reference";
    }
    ASSERT_TRUE(runUntil([&] { return *completions == 3; }));
    // Work left on the main queue by the players that went away finds nothing more to do.
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(*completions, 3);
}

TEST(Player, PlaysOnTheSystemClockWithItsSound)
{
    // With an audio device the sound plays; without one the picture goes on alone.
    auto item = media::PlayerItem::create(media::Asset::create(core::Url::fileURL(mediatest::moviePath("audio.mkv"))));
    auto player = media::Player::create(item);
    player->setVolume(0.1f);
    player->setRate(1.5f);
    ASSERT_TRUE(runUntil([&] {
        gfx::ImageRef frame = player->currentVideoFrame();
        return frame && testmovie::readFrameIndex(*frame) >= 3;
    }));
    player->setRate(3);
    player->seek(Time::make(1, 2), Time::zero(), Time::zero());
    core::MainLoop::processEvents(0.02);
    player->pause();
    EXPECT_GT(player->currentTime(), Time::zero());
}

TEST(Player, CallableFromManyThreadsAtOnce)
{
    Playback p(longMoviePath());
    std::atomic<int> completions{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            std::mt19937 random{unsigned(t)};
            for (int i = 0; i < 60; ++i) {
                switch (random() % 7) {
                case 0:
                    p.player->seek(frameStart(int(random() % 110)), Time::zero(), Time::zero(),
                                   [&](bool) { ++completions; });
                    break;
                case 1:
                    p.player->step(int(random() % 7) - 3);
                    break;
                case 2:
                    p.player->setRate(float(random() % 3));
                    break;
                case 3:
                    p.clock->advance(0.03);
                    break;
                case 5:
                    // What a job about to decode many frames asks.
                    media::detail::PausedPlayers::closeDecoders();
                    break;
                case 4:
                    p.player->removeTimeObserver(
                        p.player->addPeriodicTimeObserver(Time::make(1, 30), nullptr, [](const Time&) {}));
                    break;
                default:
                    p.player->currentTime();
                    p.player->currentVideoFrame();
                    break;
                }
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    p.player->pause();
    ASSERT_TRUE(p.seek(frameStart(42), Time::zero()));
    EXPECT_EQ(p.shownIndex(), 42);
    EXPECT_EQ(p.player->currentTime(), frameStart(42));
}

// H.264 in a program stream that stores a time for two of its 48 frames: a step goes to the next frame shown, not
// to the next packet that has a time.
TEST(Player, StepsThroughFramesWhosePacketsCarryNoTimes)
{
    Playback p(mediatest::bFrameToolMoviePath("tool-bframes-h264.mpg"));
    ASSERT_TRUE(p.firstPicture());
    for (int k = 1; k <= 6; ++k) {
        ASSERT_TRUE(p.step(1));
        ASSERT_EQ(p.shownIndex(), k);
    }
    ASSERT_TRUE(p.step(-4));
    EXPECT_EQ(p.shownIndex(), 2);
    ASSERT_TRUE(p.seek(Time::make(41, 50), Time::zero()));
    EXPECT_EQ(p.shownIndex(), 20);
    ASSERT_TRUE(p.step(-1));
    EXPECT_EQ(p.shownIndex(), 19);
    ASSERT_TRUE(p.step(3));
    EXPECT_EQ(p.shownIndex(), 22);
}

TEST(Player, StepsAndSeeksOnEveryCodecAndContainer)
{
    std::vector<mediatest::MovieCase> movies = mediatest::movieCases();
    for (const mediatest::MovieCase& c : mediatest::toolMovieCases())
        movies.push_back(c);
    for (const mediatest::MovieCase& c : movies) {
        SCOPED_TRACE(c.name);
        Playback p(mediatest::moviePath(c.name));
        ASSERT_TRUE(p.firstPicture());
        for (int k = 1; k <= 6; ++k) {
            ASSERT_TRUE(p.step(1));
            ASSERT_EQ(p.shownIndex(), k);
        }
        ASSERT_TRUE(p.step(-4));
        EXPECT_EQ(p.shownIndex(), 2);
        EXPECT_EQ(grabbedIndex(p.asset, p.player->currentTime()), 2);
        // Halfway into the frame that starts at the 31st of 48 frame starts.
        std::vector<testmovie::FrameStart> starts = testmovie::readFrameStarts(mediatest::moviePath(c.name));
        ASSERT_GT(starts.size(), 31u);
        Time t = add(Time::make(starts[30].value, starts[30].timescale),
                     multiplyByRatio(subtract(Time::make(starts[31].value, starts[31].timescale),
                                              Time::make(starts[30].value, starts[30].timescale)),
                                     1, 2));
        ASSERT_TRUE(p.seek(t, Time::zero()));
        EXPECT_EQ(p.shownIndex(), 30);
        EXPECT_EQ(p.player->currentTime(), t);
        ASSERT_TRUE(p.step(-1));
        EXPECT_EQ(p.shownIndex(), 29);
        EXPECT_EQ(p.player->currentTime(), Time::make(starts[29].value, starts[29].timescale));
    }
}
