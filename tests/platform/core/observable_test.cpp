#include "platform/core/observable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using core::KeyValueChange;
using core::ObserveOptions;

namespace {

// A small observed object: a rate that notifies from its setter, as observed classes do.
class Rated : public core::Observable {
public:
    Rated()
    {
        exposeKey(
            "rate", [this] { return std::any(rate()); },
            [this](const std::any& value) { setRate(std::any_cast<double>(value)); });
        exposeKey("name", [] { return std::any(std::string("fixed")); });
    }
    double rate() const { return rate_; }
    void setRate(double rate)
    {
        rate_ = rate;
        didChange("rate");
    }

private:
    std::atomic<double> rate_{1.0};
};

}  // namespace

TEST(Observable, InitialCallRunsInsideAddObserverThenEverySetNotifies)
{
    auto rated = core::make<Rated>();
    std::vector<double> seen;
    rated->addObserver(
        "rate",
        [&](const KeyValueChange& change) {
            EXPECT_EQ(change.key, "rate");
            seen.push_back(std::any_cast<double>(change.newValue));
        },
        ObserveOptions::initial | ObserveOptions::newValue);
    EXPECT_EQ(seen, (std::vector<double>{1.0}));
    rated->setRate(2.0);
    rated->setRate(2.0);  // unchanged still notifies
    EXPECT_TRUE(rated->setValueForKey("rate", 0.5));
    EXPECT_EQ(seen, (std::vector<double>{1.0, 2.0, 2.0, 0.5}));
}

TEST(Observable, WithoutNewValueTheChangeCarriesNoValue)
{
    auto rated = core::make<Rated>();
    int calls = 0;
    bool hadValue = true;
    rated->addObserver(
        "rate",
        [&](const KeyValueChange& change) {
            ++calls;
            hadValue = change.newValue.has_value();
        },
        ObserveOptions::none);
    EXPECT_EQ(calls, 0);
    rated->setRate(3);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(hadValue);
}

TEST(Observable, KeysReadAndWriteThroughTheirAccessors)
{
    auto rated = core::make<Rated>();
    EXPECT_EQ(std::any_cast<std::string>(rated->valueForKey("name")), "fixed");
    EXPECT_FALSE(rated->valueForKey("missing").has_value());
    EXPECT_FALSE(rated->setValueForKey("name", std::string("other")));
    EXPECT_FALSE(rated->setValueForKey("missing", 1));
    EXPECT_TRUE(rated->setValueForKey("rate", 4.0));
    EXPECT_EQ(rated->rate(), 4.0);
}

TEST(Observable, RemovedObserversAreNotCalledAndOthersAreIndependent)
{
    auto rated = core::make<Rated>();
    std::vector<std::string> calls;
    const auto first = rated->addObserver("rate", [&](const KeyValueChange&) { calls.push_back("first"); });
    core::ObservationId second = 0;
    second = rated->addObserver("rate", [&](const KeyValueChange&) {
        calls.push_back("second");
        rated->removeObserver(second);  // removing itself while being called
    });
    rated->addObserver("name", [&](const KeyValueChange&) { calls.push_back("name"); });
    EXPECT_NE(first, second);

    rated->setRate(2);
    rated->setRate(3);
    EXPECT_TRUE(rated->removeObserver(first));
    EXPECT_FALSE(rated->removeObserver(first));
    rated->setRate(4);
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second", "first"}));
}

TEST(Observable, ARegistrationRemovedDuringDeliveryIsNotCalledAfterwards)
{
    auto rated = core::make<Rated>();
    std::vector<std::string> calls;
    core::ObservationId later = 0;
    rated->addObserver("rate", [&](const KeyValueChange&) {
        calls.push_back("first");
        rated->removeObserver(later);
    });
    later = rated->addObserver("rate", [&](const KeyValueChange&) { calls.push_back("later"); });
    rated->setRate(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
}

TEST(Observable, CallbacksRunOnTheChangingThread)
{
    auto rated = core::make<Rated>();
    std::thread::id calledOn;
    rated->addObserver("rate", [&](const KeyValueChange&) { calledOn = std::this_thread::get_id(); });
    std::thread::id workerId;
    std::thread worker([&] {
        workerId = std::this_thread::get_id();
        rated->setRate(9);
    });
    worker.join();
    EXPECT_EQ(calledOn, workerId);
}
