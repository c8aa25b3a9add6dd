#include "platform/core/notification_center.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using core::Notification;
using core::NotificationCenter;

namespace {

struct Owner : core::Object {};

// A fresh centre per test, so that registrations of one test never meet another's.
struct NotificationCenterTest : ::testing::Test {
    NotificationCenter center;
    std::shared_ptr<Owner> owner = core::make<Owner>();
    std::shared_ptr<Owner> sender = core::make<Owner>();
    std::shared_ptr<Owner> otherSender = core::make<Owner>();
    std::vector<std::string> calls;
};

}  // namespace

TEST_F(NotificationCenterTest, DeliversByNameAndObjectInRegistrationOrder)
{
    center.addObserver(owner.get(), "Done", sender.get(), [&](const Notification&) { calls.push_back("exact"); });
    center.addObserver(owner.get(), "Done", nullptr, [&](const Notification&) { calls.push_back("any object"); });
    center.addObserver(owner.get(), "", nullptr, [&](const Notification& n) { calls.push_back("all:" + n.name); });
    center.addObserver(owner.get(), "Other", nullptr, [&](const Notification&) { calls.push_back("other"); });

    center.post("Done", sender, {{"Key", 7}});
    EXPECT_EQ(calls, (std::vector<std::string>{"exact", "any object", "all:Done"}));

    calls.clear();
    center.post("Done", otherSender);
    center.post("Done");
    EXPECT_EQ(calls, (std::vector<std::string>{"any object", "all:Done", "any object", "all:Done"}));
}

TEST_F(NotificationCenterTest, HandlersSeeTheObjectAndUserInfo)
{
    std::shared_ptr<core::Object> seen;
    int value = 0;
    center.addObserver(owner.get(), "Done", nullptr, [&](const Notification& n) {
        seen = n.object;
        value = std::any_cast<int>(n.userInfo.at("CountKey"));
    });
    center.post("Done", sender, {{"CountKey", 42}});
    EXPECT_EQ(seen, sender);
    EXPECT_EQ(value, 42);
}

TEST_F(NotificationCenterTest, RemovesAllOrMatchingRegistrations)
{
    auto other = core::make<Owner>();
    center.addObserver(owner.get(), "A", nullptr, [&](const Notification&) { calls.push_back("owner A"); });
    center.addObserver(owner.get(), "B", sender.get(), [&](const Notification&) { calls.push_back("owner B"); });
    center.addObserver(other.get(), "A", nullptr, [&](const Notification&) { calls.push_back("other A"); });

    center.removeObserver(owner.get(), "B", otherSender.get());  // matches nothing
    center.post("B", sender);
    center.removeObserver(owner.get(), "B", nullptr);
    center.post("B", sender);
    center.post("A");
    center.removeObserver(owner.get());
    center.post("A");
    EXPECT_EQ(calls, (std::vector<std::string>{"owner B", "owner A", "other A", "other A"}));
}

TEST_F(NotificationCenterTest, ARegistrationRemovedDuringDeliveryIsNotCalledAfterwards)
{
    auto second = core::make<Owner>();
    center.addObserver(owner.get(), "Done", nullptr, [&](const Notification&) {
        calls.push_back("first");
        center.removeObserver(second.get());
        center.removeObserver(owner.get());
    });
    center.addObserver(second.get(), "Done", nullptr, [&](const Notification&) { calls.push_back("second"); });
    center.post("Done");
    center.post("Done");
    EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
}

TEST_F(NotificationCenterTest, RegistrationsAddedDuringDeliveryWaitForTheNextPost)
{
    center.addObserver(owner.get(), "Done", nullptr, [&](const Notification&) {
        calls.push_back("first");
        if (calls.size() == 1)
            center.addObserver(owner.get(), "Done", nullptr, [&](const Notification&) { calls.push_back("added"); });
    });
    center.post("Done");
    center.post("Done");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "first", "added"}));
}

TEST_F(NotificationCenterTest, RetainsNothingAndForgetsOwnersThatAreGone)
{
    auto transient = core::make<Owner>();
    std::weak_ptr<Owner> weakTransient = transient;
    auto watched = core::make<Owner>();
    std::weak_ptr<Owner> weakWatched = watched;
    center.addObserver(transient.get(), "Done", nullptr, [&](const Notification&) { calls.push_back("gone owner"); });
    center.addObserver(owner.get(), "Done", watched.get(), [&](const Notification&) { calls.push_back("watched"); });
    transient.reset();
    watched.reset();
    EXPECT_TRUE(weakTransient.expired());
    EXPECT_TRUE(weakWatched.expired());

    center.post("Done");
    // A new object, possibly at a dead one's address, is a stranger to the old registrations.
    auto newcomer = core::make<Owner>();
    center.post("Done", newcomer);
    EXPECT_TRUE(calls.empty());
}

TEST_F(NotificationCenterTest, PostsFromManyThreadsReachEveryHandler)
{
    std::atomic<int> received{0};
    center.addObserver(owner.get(), "Tick", nullptr, [&](const Notification&) { ++received; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            auto mine = core::make<Owner>();
            for (int i = 0; i < 200; ++i) {
                center.addObserver(mine.get(), "Tick", nullptr, [](const Notification&) {});
                center.post("Tick");
                center.removeObserver(mine.get());
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(received, 800);
}

TEST(NotificationCenter, DefaultCenterIsOneSharedCentre)
{
    EXPECT_EQ(&NotificationCenter::defaultCenter(), &NotificationCenter::defaultCenter());
}
