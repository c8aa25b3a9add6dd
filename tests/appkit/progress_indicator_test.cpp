// The progress indicator keeps its minimal delay, starts and stops on later turns of the main queue, and a
// stop whose block runs after a new start does not leave that start without a stop.
#include <gtest/gtest.h>

#include <chrono>

#include "appkit/progress_indicator.h"
#include "tests/platform/core/run_until.h"

namespace {

TEST(ProgressIndicator, StartsAndStopsOnLaterTurnsInOrder)
{
    auto indicator = core::make<kestrane::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    indicator->startAnimation(nullptr);
    EXPECT_FALSE(indicator->isAnimating());  // not inside the call
    indicator->stopAnimation(nullptr);
    ASSERT_TRUE(testsupport::runQueued());
    EXPECT_EQ(indicator->animationsStarted(), 1);
    EXPECT_FALSE(indicator->isAnimating());  // the stop came after the start
}

TEST(ProgressIndicator, AStopWithoutAStartDoesNothing)
{
    auto indicator = core::make<kestrane::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    indicator->stopAnimation(nullptr);
    ASSERT_TRUE(testsupport::runQueued());
    EXPECT_FALSE(indicator->isAnimating());
}

TEST(ProgressIndicator, KeepsRunningForItsMinimalDelay)
{
    auto indicator = core::make<kestrane::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    // A delay far longer than a loaded machine takes to get from the start to the stop below.
    constexpr double delay = 2;
    indicator->setMinimalDelay(delay);
    const auto started = std::chrono::steady_clock::now();
    indicator->startAnimation(nullptr);
    EXPECT_TRUE(testsupport::runUntil([&] { return indicator->isAnimating(); }));
    indicator->stopAnimation(nullptr);
    ASSERT_TRUE(testsupport::runQueued());
    if (std::chrono::steady_clock::now() - started < std::chrono::duration<double>(delay))
        EXPECT_TRUE(indicator->isAnimating()) << "stopped before its delay had passed";
    EXPECT_TRUE(testsupport::runUntil([&] { return !indicator->isAnimating(); }));
}

TEST(ProgressIndicator, AStopDoesNotForgetALaterStart)
{
    auto indicator = core::make<kestrane::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    indicator->startAnimation(nullptr);
    indicator->stopAnimation(nullptr);   // its block runs on a later turn...
    indicator->startAnimation(nullptr);  // ...after this start's delayer was made
    EXPECT_TRUE(testsupport::runUntil([&] { return indicator->isAnimating(); }));
    ASSERT_TRUE(testsupport::runQueued());
    indicator->stopAnimation(nullptr);  // still has a start to stop
    EXPECT_TRUE(testsupport::runUntil([&] { return !indicator->isAnimating(); }));
}

}  // namespace
