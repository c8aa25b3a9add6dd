#include "foundation/kvo_dispatcher.h"

#include <gtest/gtest.h>

#include <vector>

using kestrane::KVO;
using kestrane::KVODispatcher;
using kestrane::KVOObserver;

namespace {

class Player : public core::Observable {
public:
    Player()
    {
        exposeKey("rate", [this] { return std::any(rate_.load()); });
    }
    void setRate(double rate)
    {
        rate_ = rate;
        didChange("rate");
    }
    std::string description() const override { return "<Player>"; }

private:
    std::atomic<double> rate_{0.0};
};

struct Watcher : core::Object {
    std::string description() const override { return "<Watcher>"; }
};

double newRate(const core::KeyValueChange& change) { return std::any_cast<double>(change.newValue); }

std::string printed(const std::function<void()>& action)
{
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(KVOObserver, StartsWithTheCurrentValueAndStopsOnDestruction)
{
    auto player = core::make<Player>();
    std::vector<double> seen;
    auto observer =
        core::make<KVOObserver>(player, "rate", [&](const auto& change) { seen.push_back(newRate(change)); });
    EXPECT_FALSE(observer->isObserving());
    player->setRate(0.5);
    EXPECT_TRUE(seen.empty());

    observer->startObservation();
    observer->startObservation();  // already observing: nothing more
    EXPECT_EQ(seen, (std::vector<double>{0.5}));
    player->setRate(1);
    observer.reset();  // unregisters
    player->setRate(2);
    EXPECT_EQ(seen, (std::vector<double>{0.5, 1}));
}

TEST(KVOObserver, DescriptionShowsNilOnceTheObservableIsGone)
{
    auto player = core::make<Player>();
    auto observer = core::make<KVOObserver>(player, "rate", [](const auto&) {});
    observer->startObservation();
    EXPECT_EQ(observer->description(), "KVOObservator<Optional(<Player>), rate>");
    player.reset();
    EXPECT_EQ(observer->description(), "KVOObservator<nil, rate>");
    observer->stopObservation();  // only flips the flag
    EXPECT_FALSE(observer->isObserving());
}

TEST(KVODispatcher, AddRunsTheBlockAtOnceAndEachObserverIsIndependent)
{
    KVODispatcher dispatcher;
    auto player = core::make<Player>();
    auto first = core::make<Watcher>();
    auto second = core::make<Watcher>();
    std::vector<std::string> calls;
    dispatcher.addObserver(first.get(), player, "rate",
                           [&](const auto& c) { calls.push_back("1:" + std::to_string(newRate(c))); });
    EXPECT_EQ(calls, (std::vector<std::string>{"1:0.000000"}));
    dispatcher.addObserver(second.get(), player, "rate", [&](const auto&) { calls.push_back("2"); });
    calls.clear();

    player->setRate(3);
    EXPECT_EQ(calls, (std::vector<std::string>{"1:3.000000", "2"}));
    calls.clear();
    EXPECT_EQ(printed([&] { dispatcher.removeObserver(first.get(), player, "rate"); }), "");
    player->setRate(4);
    EXPECT_EQ(calls, (std::vector<std::string>{"2"}));
}

TEST(KVODispatcher, DuplicatesAreKeptAndRemovedOldestFirst)
{
    KVODispatcher dispatcher;
    auto player = core::make<Player>();
    auto watcher = core::make<Watcher>();
    std::vector<std::string> calls;
    dispatcher.addObserver(watcher.get(), player, "rate", [&](const auto&) { calls.push_back("old"); });
    dispatcher.addObserver(watcher.get(), player, "rate", [&](const auto&) { calls.push_back("new"); });
    calls.clear();
    player->setRate(1);
    dispatcher.removeObserver(watcher.get(), player, "rate");
    player->setRate(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"old", "new", "new"}));
}

TEST(KVODispatcher, ReportsRemovalsOfWhatWasNeverAdded)
{
    KVODispatcher dispatcher;
    auto player = core::make<Player>();
    auto other = core::make<Player>();
    auto watcher = core::make<Watcher>();
    const std::string details = "observer: <Watcher> observable: <Player> keyPath: rate\n";

    EXPECT_EQ(printed([&] { dispatcher.removeObserver(watcher.get(), player, "rate"); }),
              "KVO error: Attempt to remove an object which is not observing\n" + details);

    int calls = 0;
    dispatcher.addObserver(watcher.get(), player, "rate", [&](const auto&) { ++calls; });
    EXPECT_EQ(printed([&] { dispatcher.removeObserver(watcher.get(), player, "volume"); }),
              "KVO error: Attempt to remove an object which is not observed for the expected path\n"
              "observer: <Watcher> observable: <Player> keyPath: volume\n");
    EXPECT_EQ(printed([&] { dispatcher.removeObserver(watcher.get(), other, "rate"); }),
              "KVO error: Attempt to remove an object which is not observed for the expected path\n" + details);
    player->setRate(1);
    EXPECT_EQ(calls, 2);  // the registration survived the failed removals

    dispatcher.removeObserver(watcher.get(), player, "rate");
    EXPECT_EQ(dispatcher.description(), "KVODispatcher<[:]>");
    EXPECT_EQ(printed([&] { dispatcher.removeObserver(watcher.get(), player, "rate"); }),
              "KVO error: Attempt to remove an object which is not observing\n" + details);
}

TEST(KVODispatcher, DescriptionListsRegistrationsPerObserver)
{
    KVODispatcher dispatcher;
    auto player = core::make<Player>();
    auto watcher = core::make<Watcher>();
    dispatcher.addObserver(watcher.get(), player, "rate", [](const auto&) {});
    dispatcher.addObserver(watcher.get(), player, "volume", [](const auto&) {});
    EXPECT_EQ(dispatcher.description(),
              "KVODispatcher<[" + std::to_string(reinterpret_cast<std::intptr_t>(watcher.get())) +
                  ": [KVOObservator<Optional(<Player>), rate>, KVOObservator<Optional(<Player>), volume>]]>");
}

TEST(KVODispatcher, AnObserverThatIsGoneIsNeverCalledAgain)
{
    KVODispatcher dispatcher;
    auto player = core::make<Player>();
    auto watcher = core::make<Watcher>();
    // The block reaches into the watcher, as observers' blocks do; calling it after the watcher is gone would be
    // a use after free.
    auto* raw = watcher.get();
    int calls = 0;
    dispatcher.addObserver(watcher.get(), player, "rate", [&calls, raw](const auto&) {
        EXPECT_EQ(raw->description(), "<Watcher>");
        ++calls;
    });
    watcher.reset();
    player->setRate(5);
    EXPECT_EQ(calls, 1);

    // A new observer, possibly at the same address, starts with no registrations.
    auto newcomer = core::make<Watcher>();
    dispatcher.addObserver(newcomer.get(), player, "rate", [](const auto&) {});
    dispatcher.removeObserver(newcomer.get(), player, "rate");
    EXPECT_EQ(dispatcher.description(), "KVODispatcher<[:]>");
}

TEST(KVODispatcher, AnObserverRemovingItselfInItsDestructorIsQuiet)
{
    struct SelfRemoving : core::Object {
        explicit SelfRemoving(std::shared_ptr<Player> player) : player(std::move(player)) {}
        ~SelfRemoving() override { KVO().removeObserver(this, player, "rate"); }
        std::shared_ptr<Player> player;
    };
    auto player = core::make<Player>();
    auto observer = core::make<SelfRemoving>(player);
    KVO().addObserver(observer.get(), player, "rate", [](const auto&) {});
    EXPECT_EQ(printed([&] { observer.reset(); }), "");
    EXPECT_EQ(&KVO(), &KVO());
}

TEST(KVODispatcher, RegistrationsDoNotKeepTheObservableAlive)
{
    KVODispatcher dispatcher;
    auto watcher = core::make<Watcher>();
    auto player = core::make<Player>();
    std::weak_ptr<Player> weakPlayer = player;
    dispatcher.addObserver(watcher.get(), player, "rate", [](const auto&) {});
    player.reset();
    EXPECT_TRUE(weakPlayer.expired());
    // Its registration can no longer be matched.
    EXPECT_NE(printed([&] { dispatcher.removeObserver(watcher.get(), nullptr, "rate"); }), "");
}
