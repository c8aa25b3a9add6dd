// The objects of the program that belong to the main thread: in every build but the release ones, a call from
// another thread stops the program, naming the call and its place.
#include <gtest/gtest.h>

#include <thread>

#include "app/batch/batch_manager.h"
#include "app/document/snaps_manager.h"
#include "moviekit/movie.h"
#include "platform/core/main_thread.h"
#include "tests/app/snaps_strip_fixture.h"

TEST(AppMainThreadDeathTest, SnapsAndBatchCommandsFromAnotherThreadStopTheProgram)
{
    if (!core::checksQueues()) GTEST_SKIP() << "release builds do not check";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto snaps = vistrel::SnapsManager::create(orvalis::Movie::create(core::Url::fileURL("/nowhere/a.mp4")));
    const auto batch = vistrel::BatchManager::create();
    snaps->append(snapstest::snaps(2));
    EXPECT_DEATH(std::thread([&] { snaps->append(snapstest::snaps(1)); }).join(),
                 "append \\(.*snaps_manager.cpp:[0-9]+\\) is for the main thread");
    EXPECT_DEATH(std::thread([&] { snaps->selectAll(); }).join(), "selectAll .* is for the main thread");
    EXPECT_DEATH(std::thread([&] { batch->cancelAllTasks(); }).join(),
                 "cancelAllTasks \\(.*batch_manager.cpp:[0-9]+\\) is for the main thread");
    // Its counters are for any thread.
    std::thread([&] { EXPECT_EQ(batch->runningTasksCount(), 0); }).join();
    EXPECT_EQ(snaps->items().size(), 2u);
}
