#include "platform/core/main_thread.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MainThreadDeathTest, ACallFromAnotherThreadStopsTheProgram)
{
    if (!core::checksQueues()) GTEST_SKIP() << "release builds do not check";
    core::assertMainThread();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(std::thread([] { core::assertMainThread(); }).join(),
                 "main_thread_test.cpp:.* is for the main thread and runs on another one");
}
