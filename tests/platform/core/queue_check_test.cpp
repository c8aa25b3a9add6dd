#include "platform/core/queue_check.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/core/semaphore.h"

using core::DispatchQueue;

namespace {

// Runs `work` as an item of `queue` (never inline) and waits until it has run.
void runAsItem(DispatchQueue& queue, const DispatchQueue::Work& work)
{
    core::Semaphore done;
    queue.async([&] {
        work();
        done.signal();
    });
    done.wait();
}

}  // namespace

TEST(QueueCheck, CodeRunsOnTheQueueOfItsItemsOnly)
{
    const auto serial = DispatchQueue::makeSerial("check.serial");
    const auto other = DispatchQueue::makeSerial("check.other");
    const auto concurrent = DispatchQueue::makeConcurrent("check.concurrent");
    const auto global = DispatchQueue::global(core::QoS::utility);
    std::atomic<int> passed = 0;
    // An item of each kind of queue passes its queue's check, and only its own queue's.
    runAsItem(*serial, [&] {
        core::assertOnQueue(*serial);
        passed += !other->servesCallingThread() && !concurrent->servesCallingThread();
    });
    runAsItem(*concurrent, [&] {
        core::assertOnQueue(*concurrent);
        passed += !serial->servesCallingThread() && !global->servesCallingThread();
    });
    runAsItem(*global, [&] {
        core::assertOnQueue(*global);
        passed += !concurrent->servesCallingThread() && !DispatchQueue::main()->servesCallingThread();
    });
    // A `sync` from an item runs on the target queue while the item's queue is still the caller's.
    serial->sync([&] {
        concurrent->sync([&] {
            core::assertOnQueue(*concurrent);
            core::assertOnQueue(*serial);
            ++passed;
        });
        other->sync([&] { passed += other->servesCallingThread() && !serial->servesCallingThread(); });
    });
    // The test's own thread is the main one, and no queue's.
    core::assertOnQueue(*DispatchQueue::main());
    EXPECT_FALSE(serial->servesCallingThread() || concurrent->servesCallingThread() || global->servesCallingThread());
    EXPECT_EQ(passed, 5);
}

TEST(QueueCheckDeathTest, CodeOffItsSerialQueueStopsTheProgram)
{
    if (!core::checksQueues()) GTEST_SKIP() << "release builds do not check";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto serial = DispatchQueue::makeSerial("check.serial");
    const auto other = DispatchQueue::makeSerial("check.other");
    EXPECT_DEATH(core::assertOnQueue(*serial), "queue_check_test.cpp:.* is for the queue check.serial and runs on");
    EXPECT_DEATH(runAsItem(*other, [&] { core::assertOnQueue(*serial); }), "is for the queue check.serial");
}

TEST(QueueCheckDeathTest, CodeOffTheWorkersOfItsConcurrentQueueStopsTheProgram)
{
    if (!core::checksQueues()) GTEST_SKIP() << "release builds do not check";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto concurrent = DispatchQueue::makeConcurrent("check.concurrent");
    const auto other = DispatchQueue::makeConcurrent("check.other");
    EXPECT_DEATH(core::assertOnQueue(*concurrent), "is for the queue check.concurrent and runs on another one");
    EXPECT_DEATH(runAsItem(*other, [&] { core::assertOnQueue(*concurrent); }), "is for the queue check.concurrent");
}

TEST(QueueCheckDeathTest, CodeOffTheWorkersOfItsGlobalQueueStopsTheProgram)
{
    if (!core::checksQueues()) GTEST_SKIP() << "release builds do not check";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto utility = DispatchQueue::global(core::QoS::utility);
    EXPECT_DEATH(runAsItem(*DispatchQueue::global(core::QoS::background), [&] { core::assertOnQueue(*utility); }),
                 "is for the queue global.utility and runs on another one");
}

TEST(QueueCheckDeathTest, CodeOffTheMainQueueStopsTheProgram)
{
    if (!core::checksQueues()) GTEST_SKIP() << "release builds do not check";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto main = DispatchQueue::main();
    EXPECT_DEATH(std::thread([&] { core::assertOnQueue(*main); }).join(),
                 "queue_check_test.cpp:.* is for the main thread and runs on another one");
    EXPECT_DEATH(runAsItem(*DispatchQueue::makeSerial("check.serial"), [&] { core::assertOnQueue(*main); }),
                 "is for the main thread");
}
