#include "foundation/block_delayer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "foundation/delayed_execution.h"
#include "platform/core/main_loop.h"
#include "platform/core/semaphore.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/wait_until.h"

using kestrane::BlockDelayer;
using testsupport::runUntil;

TEST(BlockDelayer, StopWaitsForTheMinimumTimeSinceStart)
{
    BlockDelayer delayer(0.5);
    std::vector<std::string> order;
    delayer.start([&] { order.push_back("start"); });
    EXPECT_TRUE(order.empty());  // asynchronous, even on the main queue
    delayer.stop([&] { order.push_back("stop"); });
    // Work posted after the stop but due at once still runs first: the stop block waits for its moment.
    core::DispatchQueue::main()->async([&] { order.push_back("other"); });
    ASSERT_TRUE(runUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<std::string>{"start", "other", "stop"}));
}

TEST(BlockDelayer, StopWithoutStartOrLongAfterItRunsAsSoonAsPossible)
{
    BlockDelayer never(100);
    std::vector<std::string> order;
    never.stop([&] { order.push_back("never started"); });
    EXPECT_TRUE(order.empty());

    BlockDelayer quick(0);
    quick.start([] {});
    quick.stop([&] { order.push_back("zero"); });
    // A second stop is timed against the same start.
    quick.stop([&] { order.push_back("again"); });
    EXPECT_TRUE(order.empty());
    ASSERT_TRUE(runUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<std::string>{"never started", "zero", "again"}));
}

TEST(BlockDelayer, RunsBothBlocksOnItsQueue)
{
    auto queue = core::DispatchQueue::makeSerial("test.delayer");
    BlockDelayer delayer(0.05, queue);
    EXPECT_EQ(delayer.queue(), queue);
    EXPECT_EQ(delayer.seconds(), 0.05);
    core::Semaphore done;
    std::atomic<int> onQueue{0};
    const auto check = [&] {
        queue->sync([&] { ++onQueue; });  // inline only when already on the queue
        done.signal();
    };
    delayer.start(check);
    delayer.stop(check);
    EXPECT_TRUE(done.wait(testsupport::waitLimitSeconds));
    EXPECT_TRUE(done.wait(testsupport::waitLimitSeconds));
    EXPECT_EQ(onQueue, 2);
}

TEST(DelayedExecution, TimersFireOnceOrUntilInvalidated)
{
    int once = 0, repeated = 0;
    bool infoEmpty = false;
    auto oneShot = kestrane::Timer::after(
        0.01,
        [&](core::Timer& timer) {
            ++once;
            EXPECT_EQ(std::any_cast<int>(timer.userInfo()), 7);
        },
        7);
    auto repeating = kestrane::Timer::repeats(0.005, [&](core::Timer& timer) {
        infoEmpty = !timer.userInfo().has_value();
        if (++repeated == 3) timer.invalidate();
    });
    ASSERT_TRUE(runUntil([&] { return once == 1 && repeated == 3; }));
    core::MainLoop::processEvents(0.1);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(repeated, 3);
    EXPECT_TRUE(infoEmpty);
    EXPECT_FALSE(repeating->isValid());
}

TEST(DelayedExecution, AsyncAfterZeroNeverRunsInsideTheCall)
{
    bool ran = false;
    kestrane::asyncAfter(*core::DispatchQueue::main(), 0, [&] { ran = true; });
    EXPECT_FALSE(ran);
    EXPECT_TRUE(runUntil([&] { return ran; }));
}
