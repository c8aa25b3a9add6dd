#include "platform/core/timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/core/main_loop.h"
#include "tests/platform/core/run_until.h"

using core::Timer;
using testsupport::runUntil;

TEST(Timer, OneShotFiresOnceWithItsUserInfo)
{
    int fired = 0;
    std::string info;
    auto timer = Timer::scheduled(
        0.01, false,
        [&](Timer& t) {
            ++fired;
            info = std::any_cast<std::string>(t.userInfo());
        },
        std::string("payload"));
    EXPECT_EQ(fired, 0);
    ASSERT_TRUE(runUntil([&] { return fired == 1; }));
    core::MainLoop::processEvents(0.1);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(info, "payload");
    EXPECT_FALSE(timer->isValid());
}

TEST(Timer, RepeatingTimerFiresUntilInvalidated)
{
    int fired = 0;
    bool userInfoEmpty = false;
    std::weak_ptr<Timer> weak;
    {
        auto timer = Timer::scheduled(0.005, true, [&](Timer& t) {
            ++fired;
            userInfoEmpty = !t.userInfo().has_value();
            if (fired == 3) t.invalidate();
        });
        weak = timer;
    }
    // The main loop keeps the timer alive while it is scheduled, and lets it go once it is invalidated.
    ASSERT_TRUE(runUntil([&] { return fired == 3; }));
    core::MainLoop::processEvents(0.1);
    EXPECT_EQ(fired, 3);
    EXPECT_TRUE(userInfoEmpty);
    EXPECT_TRUE(weak.expired());
}

TEST(Timer, ScheduledFromAWorkerFiresOnTheMainThread)
{
    const auto mainThread = std::this_thread::get_id();
    std::atomic<bool> fired{false};
    std::thread::id firedOn;
    std::shared_ptr<Timer> timer;
    std::thread worker([&] {
        timer = Timer::scheduled(0.01, false, [&](Timer&) {
            firedOn = std::this_thread::get_id();
            fired = true;
        });
    });
    worker.join();
    ASSERT_TRUE(runUntil([&] { return fired.load(); }));
    EXPECT_EQ(firedOn, mainThread);
}

TEST(Timer, InvalidatedBeforeItFiresNeverFires)
{
    int fired = 0;
    auto timer = Timer::scheduled(0.02, true, [&](Timer&) { ++fired; });
    timer->invalidate();
    timer->invalidate();
    core::MainLoop::processEvents(0.1);
    EXPECT_EQ(fired, 0);
}
