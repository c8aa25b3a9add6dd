// The progress indicator keeps its minimal delay, starts and stops on later turns of the main queue, and a
// stop whose block runs after a new start does not leave that start without a stop.
#include <gtest/gtest.h>

#include "appkit/progress_indicator.h"
#include "tests/platform/core/run_until.h"

namespace {

TEST(ProgressIndicator, StartsAndStopsOnLaterTurnsInOrder)
{
    auto indicator = core::make<kestrane::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    indicator->startAnimation(nullptr);
    EXPECT_FALSE(indicator->isAnimating());  // not inside the call
    indicator->stopAnimation(nullptr);
    core::MainLoop::processEvents(0.1);
    EXPECT_FALSE(indicator->isAnimating());  // the stop came after the start
}

TEST(ProgressIndicator, AStopWithoutAStartDoesNothing)
{
    auto indicator = core::make<kestrane::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    indicator->stopAnimation(nullptr);
    core::MainLoop::processEvents(0.05);
    EXPECT_FALSE(indicator->isAnimating());
}

TEST(ProgressIndicator, KeepsRunningForItsMinimalDelay)
{
    auto indicator = core::make<kestrane::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    indicator->setMinimalDelay(0.3);
    indicator->startAnimation(nullptr);
    EXPECT_TRUE(testsupport::runUntil([&] { return indicator->isAnimating(); }, 10));
    indicator->stopAnimation(nullptr);
    core::MainLoop::processEvents(0.01);
    EXPECT_TRUE(indicator->isAnimating());  // the delay has not passed yet
    EXPECT_TRUE(testsupport::runUntil([&] { return !indicator->isAnimating(); }, 10));
}

TEST(ProgressIndicator, AStopDoesNotForgetALaterStart)
{
    auto indicator = core::make<kestrane::ProgressIndicator>(gfx::Rect{0, 0, 100, 10});
    indicator->startAnimation(nullptr);
    indicator->stopAnimation(nullptr);   // its block runs on a later turn...
    indicator->startAnimation(nullptr);  // ...after this start's delayer was made
    EXPECT_TRUE(testsupport::runUntil([&] { return indicator->isAnimating(); }, 10));
    core::MainLoop::processEvents(0.05);
    indicator->stopAnimation(nullptr);  // still has a start to stop
    EXPECT_TRUE(testsupport::runUntil([&] { return !indicator->isAnimating(); }, 10));
}

}  // namespace
