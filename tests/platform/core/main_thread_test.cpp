#include "platform/core/main_thread.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MainThreadDeathTest, ACallFromAnotherThreadStopsTheProgram)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the check is compiled out of release builds";
#else
    core::assertMainThread();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(std::thread([] { core::assertMainThread(); }).join(),
                 "main_thread_test.cpp:.* is for the main thread and runs on another one");
#endif
}
