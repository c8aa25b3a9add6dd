#include "moviekit/movie.h"
#include "moviekit/player.h"

#include "tests/moviekit/test_movies.h"
#include "tests/platform/core/run_until.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using media::Time;
using media::TimeRange;
using orvalis::Movie;
using orvalis::Player;
using orvalis::PlayerObserverOptions;
using testsupport::runUntil;

namespace {

Time frameStart(int k) { return Time::make(std::int64_t(k) * 1001, 30000); }

// Notes every callback it hears, by name and value.
class Recorder : public core::Object, public orvalis::PlayerObserver {
public:
    explicit Recorder(PlayerObserverOptions options) : options_(options) {}

    int observerOptions(const Player&) override
    {
        ++asked;
        return options_.rawValue;
    }
    void playerTimeDidChange(Player&, const Time& time) override
    {
        events.push_back("time");
        times.push_back(time);
    }
    void playerRateDidChange(Player&, float rate) override { events.push_back("rate " + std::to_string(rate)); }
    void playerUserRateDidChange(Player&, float rate) override { events.push_back("userRate " + std::to_string(rate)); }
    void playerUserVolumeDidChange(Player&, float volume) override
    {
        events.push_back("userVolume " + std::to_string(volume));
    }
    void playerClipRangeDidChange(Player&, const TimeRange& range) override
    {
        events.push_back("clipRange " + std::to_string(range.start.seconds()));
    }

    int asked = 0;
    std::vector<std::string> events;
    std::vector<Time> times;

private:
    PlayerObserverOptions options_;
};

std::shared_ptr<Recorder> recorder(PlayerObserverOptions options) { return std::make_shared<Recorder>(options); }

struct Playback {
    Playback() : movie(Movie::create(core::Url::fileURL(moviekittest::smallMovie()))), player(movie->player())
    {
        player->avplayer()->setClock(clock);
        runUntil([&] { return player->avplayer()->currentVideoFrame() != nullptr; });
    }

    std::shared_ptr<media::ManualPlaybackClock> clock = std::make_shared<media::ManualPlaybackClock>();
    std::shared_ptr<Movie> movie;
    std::shared_ptr<Player> player;
};

std::string printed(const std::function<void()>& action)
{
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(PlayerObserverOptions, AreASetOfRawValues)
{
    EXPECT_EQ(PlayerObserverOptions::none.rawValue, 0);
    EXPECT_EQ((PlayerObserverOptions::time | PlayerObserverOptions::rate | PlayerObserverOptions::userRate |
               PlayerObserverOptions::userVolume | PlayerObserverOptions::clipRange)
                  .rawValue,
              31);
    const auto options = PlayerObserverOptions::time | PlayerObserverOptions::clipRange;
    EXPECT_TRUE(options.contains(PlayerObserverOptions::clipRange));
    EXPECT_FALSE(options.contains(PlayerObserverOptions::rate));
    EXPECT_FALSE(options.contains(PlayerObserverOptions::none));
}

TEST(PlayerObservation, EveryCallbackRunsOnceDuringRegistrationInOrder)
{
    Playback p;
    auto observer = recorder(PlayerObserverOptions(31));
    p.player->addObserver(observer);
    EXPECT_EQ(observer->asked, 1);
    EXPECT_EQ(observer->events, (std::vector<std::string>{"time", "rate 0.000000", "userRate 1.000000",
                                                          "userVolume 1.000000", "clipRange 0.000000"}));
    EXPECT_EQ(observer->times, (std::vector<Time>{Time::zero()}));
    p.player->removeObserver(observer);

    auto timeAndClip = recorder(PlayerObserverOptions::time | PlayerObserverOptions::clipRange);
    p.player->addObserver(timeAndClip);
    EXPECT_EQ(timeAndClip->events, (std::vector<std::string>{"time", "clipRange 0.000000"}));
    p.player->removeObserver(timeAndClip);
}

TEST(PlayerObservation, ChangesReachEveryObserverOfTheirKindOnce)
{
    Playback p;
    auto first = recorder(PlayerObserverOptions::userRate | PlayerObserverOptions::userVolume);
    auto second = recorder(PlayerObserverOptions::userRate | PlayerObserverOptions::rate);
    auto quiet = recorder(PlayerObserverOptions::none);
    for (const auto& o : {first, second, quiet})
        p.player->addObserver(o);
    first->events.clear();
    second->events.clear();

    p.player->setUserRate(2.0f);
    EXPECT_EQ(first->events, (std::vector<std::string>{"userRate 2.000000"}));
    EXPECT_EQ(second->events, (std::vector<std::string>{"userRate 2.000000"}));
    p.player->play();
    p.player->setUserVolume(0.5f);
    EXPECT_EQ(first->events, (std::vector<std::string>{"userRate 2.000000", "userVolume 0.500000"}));
    EXPECT_EQ(second->events, (std::vector<std::string>{"userRate 2.000000", "rate 2.000000"}));
    p.player->pause();
    p.player->setClipStart(frameStart(3));
    EXPECT_TRUE(quiet->events.empty());

    for (const auto& o : {first, second, quiet})
        p.player->removeObserver(o);
}

TEST(PlayerObservation, TriggeringCallsEveryObserverOfTheKey)
{
    Playback p;
    auto one = recorder(PlayerObserverOptions::rate);
    auto other = recorder(PlayerObserverOptions::rate | PlayerObserverOptions::clipRange);
    p.player->addObserver(one);
    p.player->addObserver(other);
    one->events.clear();
    other->events.clear();
    p.player->triggerObserver(one);
    EXPECT_EQ(one->events, (std::vector<std::string>{"rate 0.000000"}));
    EXPECT_EQ(other->events, (std::vector<std::string>{"rate 0.000000"}));
    p.player->triggerObserver(other);
    EXPECT_EQ(other->events, (std::vector<std::string>{"rate 0.000000", "rate 0.000000", "clipRange 0.000000"}));
    p.player->removeObserver(one);
    p.player->removeObserver(other);
}

TEST(PlayerObservation, RemovedOrGoneObserversHearNothingMore)
{
    Playback p;
    auto removed = recorder(PlayerObserverOptions::clipRange);
    auto gone = recorder(PlayerObserverOptions::clipRange | PlayerObserverOptions::userRate);
    p.player->addObserver(removed);
    p.player->addObserver(gone);
    p.player->removeObserver(removed);
    gone.reset();
    p.player->setClipEnd(frameStart(40));
    p.player->setUserRate(3);
    EXPECT_EQ(removed->events, (std::vector<std::string>{"clipRange 0.000000"}));

    const std::string output = printed([&] { p.player->removeObserver(removed); });
    EXPECT_NE(output.find("KVO error: Attempt to remove an object which is not observing"), std::string::npos);
}

namespace {

// An observer without an identity to file its registrations under.
class Anonymous : public orvalis::PlayerObserver {
public:
    int observerOptions(const Player&) override { return PlayerObserverOptions::time.rawValue; }
};

template <class Observer>
concept Registrable = requires(Player& player, std::shared_ptr<Observer> observer)
{
    player.addObserver(observer);
    player.removeObserver(*observer);
};

}  // namespace

TEST(PlayerObservation, OnlyObjectsOwnedBySharedPointersCanObserve)
{
    // An observer that is not an object would never be called: it does not compile.
    static_assert(!Registrable<Anonymous>);
    static_assert(!Registrable<orvalis::PlayerObserver>);
    static_assert(Registrable<Recorder>);

    // One that no shared pointer owns could not be held weakly: the player refuses it aloud.
    Playback p;
    Recorder unowned(PlayerObserverOptions::time | PlayerObserverOptions::clipRange);
    EXPECT_THROW(p.player->addObserver(unowned), std::logic_error);
    EXPECT_TRUE(unowned.events.empty());
    p.player->setClipEnd(frameStart(40));
    EXPECT_TRUE(unowned.events.empty());

    // An observer may leave from its destructor, when no shared pointer to it can be made any more.
    struct Leaving : Recorder {
        Leaving(std::shared_ptr<Player> player) : Recorder(PlayerObserverOptions::time), player(std::move(player)) {}
        ~Leaving() override { player->removeObserver(*this); }
        std::shared_ptr<Player> player;
    };
    auto leaving = std::make_shared<Leaving>(p.player);
    p.player->addObserver(leaving);
    // Its registrations are found by its identity alone: no "KVO error" line.
    EXPECT_EQ(printed([&] { leaving.reset(); }), "");
}

TEST(PlayerObservation, TimeIsReported25TimesASecondWhilePlaying)
{
    Playback p;
    auto observer = recorder(PlayerObserverOptions::time);
    p.player->addObserver(observer);
    ASSERT_EQ(observer->times.size(), 1u);

    p.player->play();
    ASSERT_TRUE(runUntil([&] { return observer->times.size() == 2; }));  // the start
    const Time start = observer->times.back();
    for (int i = 1; i <= 25; ++i) {
        p.clock->advance(0.04);
        ASSERT_TRUE(runUntil([&] { return observer->times.size() == std::size_t(2 + i); })) << i;
    }
    EXPECT_EQ(observer->times.back(), start + Time::withSeconds(1.0, 1000000000));
    for (std::size_t i = 2; i < observer->times.size(); ++i)
        EXPECT_EQ(observer->times[i] - observer->times[i - 1], Time::withSeconds(0.04, 1000000000));
    p.player->pause();
    p.player->removeObserver(observer);
}

TEST(PlayerObservation, ThePeriodicObserverRunsWhileAnyoneWantsTime)
{
    Playback p;
    auto first = recorder(PlayerObserverOptions::time);
    auto second = recorder(PlayerObserverOptions::time);
    p.player->addObserver(first);
    p.player->addObserver(second);
    p.player->removeObserver(first);

    p.player->seekAccurately(frameStart(12));
    ASSERT_TRUE(runUntil([&] { return !second->times.empty() && second->times.back() == frameStart(12); }));
    p.player->removeObserver(second);

    const std::size_t heard = second->times.size();
    p.player->seekAccurately(frameStart(20));
    ASSERT_TRUE(runUntil([&] { return p.player->currentTime() == frameStart(20); }));
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(second->times.size(), heard);

    // A new time observer hears the present time at once.
    auto third = recorder(PlayerObserverOptions::time);
    p.player->addObserver(third);
    EXPECT_EQ(third->times, (std::vector<Time>{frameStart(20)}));
    p.player->removeObserver(third);
}
