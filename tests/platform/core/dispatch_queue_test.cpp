#include "platform/core/dispatch_queue.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/core/dispatch_group.h"
#include "platform/core/main_loop.h"
#include "platform/core/semaphore.h"
#include "platform/core/timer.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/child_entry.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait_until.h"

using core::DispatchQueue;
using core::Semaphore;
using testsupport::runUntil;

namespace {

// A list that work items on any thread append to.
struct Log {
    void add(int value)
    {
        std::lock_guard lock(mutex);
        values.push_back(value);
    }
    std::vector<int> snapshot()
    {
        std::lock_guard lock(mutex);
        return values;
    }
    std::size_t size() { return snapshot().size(); }

    std::mutex mutex;
    std::vector<int> values;
};

bool waitFor(const std::function<bool()>& done) { return testsupport::waitUntil(done); }

}  // namespace

TEST(DispatchQueue, GlobalQueueRunsSixtyFourItemsBlockedAtOnce)
{
    struct State {
        Semaphore gate;
        Semaphore finished;
        std::atomic<int> waiting{0};
    };
    auto state = std::make_shared<State>();
    for (int i = 0; i < 64; ++i) {
        DispatchQueue::global()->async([state] {
            ++state->waiting;
            state->gate.wait();
            state->finished.signal();
        });
    }
    // Every item blocks at once: the queue must have given each one a thread.
    ASSERT_TRUE(waitFor([&] { return state->waiting == 64; }));
    for (int i = 0; i < 64; ++i)
        state->gate.signal();
    for (int i = 0; i < 64; ++i)
        ASSERT_TRUE(state->finished.wait(testsupport::waitLimitSeconds)) << "item " << i << " never finished";
}

TEST(DispatchQueue, SerialQueueRunsItemsOneAtATimeInOrder)
{
    auto queue = DispatchQueue::makeSerial("test.serial");
    auto log = std::make_shared<Log>();
    auto running = std::make_shared<std::atomic<int>>(0);
    auto overlapped = std::make_shared<std::atomic<bool>>(false);
    for (int i = 0; i < 200; ++i) {
        queue->async([=] {
            if (++*running > 1) *overlapped = true;
            if (i % 50 == 0) core::sleepFor(0.002);
            log->add(i);
            --*running;
        });
    }
    EXPECT_TRUE(queue->sync([] {}));
    std::vector<int> expected(200);
    for (int i = 0; i < 200; ++i)
        expected[i] = i;
    EXPECT_EQ(log->snapshot(), expected);
    EXPECT_FALSE(*overlapped);
}

TEST(DispatchQueue, SerialQueueFinishesItsWorkAfterItsLastHandleIsGone)
{
    auto done = std::make_shared<Semaphore>();
    {
        auto queue = DispatchQueue::makeSerial("test.released");
        queue->async([done] {
            core::sleepFor(0.05);
            done->signal();
        });
        queue->asyncAfter(0.05, [done] { done->signal(); });
    }
    EXPECT_TRUE(done->wait(testsupport::waitLimitSeconds));
    EXPECT_TRUE(done->wait(testsupport::waitLimitSeconds));
}

TEST(DispatchQueue, SyncOntoTheMainQueueFromAWorkerRunsOnTheMainThread)
{
    const auto mainThread = std::this_thread::get_id();
    std::atomic<bool> returned{false};
    bool result = false;
    std::thread::id ranOn;
    std::atomic<bool> workerIsMain{true};
    std::thread worker([&] {
        workerIsMain = core::MainLoop::isMainThread();
        result = DispatchQueue::main()->sync([&] { ranOn = std::this_thread::get_id(); });
        returned = true;
    });
    EXPECT_TRUE(runUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(ranOn, mainThread);
    EXPECT_TRUE(core::MainLoop::isMainThread());
    EXPECT_FALSE(workerIsMain);
}

TEST(DispatchQueue, SyncOntoTheCurrentQueueRunsInline)
{
    bool ranInline = false;
    EXPECT_TRUE(DispatchQueue::main()->sync([&] { ranInline = true; }));
    EXPECT_TRUE(ranInline);

    auto serial = DispatchQueue::makeSerial("test.reentrant");
    std::atomic<bool> innerRan{false};
    EXPECT_TRUE(serial->sync([&] { serial->sync([&] { innerRan = true; }); }));
    EXPECT_TRUE(innerRan);

    auto concurrent = DispatchQueue::makeConcurrent("test.concurrent");
    std::thread::id ranOn;
    EXPECT_TRUE(concurrent->sync([&] { ranOn = std::this_thread::get_id(); }));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(DispatchQueue, MainAsyncNeverRunsInsideTheCallAndKeepsItsOrder)
{
    Log log;
    DispatchQueue::main()->async([&] { log.add(1); });
    DispatchQueue::main()->asyncAfter(0, [&] { log.add(2); });
    DispatchQueue::main()->asyncAfter(-1, [&] { log.add(3); });
    DispatchQueue::main()->async([&] { log.add(4); });
    EXPECT_EQ(log.size(), 0u);
    ASSERT_TRUE(runUntil([&] { return log.size() == 4; }));
    EXPECT_EQ(log.snapshot(), (std::vector<int>{1, 2, 3, 4}));
}

TEST(DispatchQueue, AsyncAfterRunsItemsByDeadline)
{
    for (const auto& queue : {DispatchQueue::main(), DispatchQueue::makeSerial("test.after")}) {
        auto log = std::make_shared<Log>();
        queue->asyncAfter(0.3, [log] { log->add(3); });
        queue->asyncAfter(0.1, [log] { log->add(1); });
        queue->asyncAfter(0.2, [log] { log->add(2); });
        queue->async([log] { log->add(0); });
        ASSERT_TRUE(runUntil([&] { return log->size() == 4; })) << queue->label();
        EXPECT_EQ(log->snapshot(), (std::vector<int>{0, 1, 2, 3})) << queue->label();
    }
}

TEST(DispatchQueue, ConcurrentQueueRunsItemsAtTheSameTime)
{
    auto queue = DispatchQueue::makeConcurrent("test.together");
    auto first = std::make_shared<Semaphore>();
    auto second = std::make_shared<Semaphore>();
    auto done = std::make_shared<Semaphore>();
    // Each item waits for the other: only running them at once lets both finish.
    queue->async([=] {
        second->signal();
        if (first->wait(testsupport::waitLimitSeconds)) done->signal();
    });
    queue->async([=] {
        first->signal();
        if (second->wait(testsupport::waitLimitSeconds)) done->signal();
    });
    EXPECT_TRUE(done->wait(testsupport::waitLimitSeconds));
    EXPECT_TRUE(done->wait(testsupport::waitLimitSeconds));
}

TEST(DispatchGroup, WaitsForEveryTaskAndNotifiesOnce)
{
    auto group = std::make_shared<core::DispatchGroup>();
    auto gate = std::make_shared<Semaphore>();
    auto finished = std::make_shared<std::atomic<int>>(0);
    for (int i = 0; i < 10; ++i) {
        group->enter();
        DispatchQueue::global(core::QoS::utility)->async([=] {
            gate->wait();
            ++*finished;
            group->leave();
        });
    }
    int notified = 0;
    group->notify(DispatchQueue::main(), [&] { ++notified; });
    EXPECT_FALSE(group->wait(0.01));
    for (int i = 0; i < 10; ++i)
        gate->signal();
    EXPECT_TRUE(group->wait(testsupport::waitLimitSeconds));
    EXPECT_EQ(*finished, 10);
    EXPECT_TRUE(runUntil([&] { return notified == 1; }));

    // With nothing pending, notify submits at once (still asynchronously) and wait returns at once.
    group->notify(DispatchQueue::main(), [&] { ++notified; });
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(runUntil([&] { return notified == 2; }));
    group->wait();
}

TEST(DispatchGroup, TheLastLeaveWakesEveryWaiter)
{
    // Waiters without a time limit, which only a wake-up frees; they and the group are left behind if none
    // comes, so that the test fails instead of hanging.
    auto group = std::make_shared<core::DispatchGroup>();
    auto waiting = std::make_shared<Semaphore>();
    auto woken = std::make_shared<Semaphore>();
    group->enter();
    group->enter();
    for (int i = 0; i < 3; ++i)
        std::thread([=] {
            waiting->signal();
            group->wait();
            woken->signal();
        }).detach();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(waiting->wait(testsupport::waitLimitSeconds));
    // Give the waiters time to block in the group: a wait begun after the leave returns at once.
    core::sleepFor(0.05);
    group->leave();
    EXPECT_FALSE(woken->wait(0.05));
    group->leave();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(woken->wait(testsupport::waitLimitSeconds)) << "waiter " << i << " was not woken";
}

// Run only by WorkAskedForWhileTheApplicationIsDestroyedIsDropped, in a child process: asks for work on the
// main queue from inside the application object's destructor, where nothing may be posted to it any more
// (another thread doing the same would break the process), and ends the process with 3 when the work was
// kept instead of dropped.
CHILD_ENTRY(MainQueueChild, AsksForWorkWhileTheApplicationIsDestroyed)
{
    // Routines run last-added first: the main queue's own, added when it first posts below, runs before this.
    qAddPostRoutine([] {
        static bool dropped = false;
        auto marker = std::shared_ptr<int>(new int(0), [](int* p) {
            delete p;
            dropped = true;
        });
        DispatchQueue::main()->async([marker] {});
        marker.reset();
        if (!dropped) _exit(3);
    });
    DispatchQueue::main()->async([] {});
    core::MainLoop::processEvents(0);
}

TEST(MainQueue, WorkAskedForWhileTheApplicationIsDestroyedIsDropped)
{
    testsupport::TempDir temporaries;
    const int status = testsupport::waitForExit(testsupport::spawnSelf(
        "MainQueueChild.AsksForWorkWhileTheApplicationIsDestroyed", {{"TMPDIR", temporaries.path().string()}}));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST(Semaphore, LosesNoSignalAndTimesOutWithoutTakingOne)
{
    Semaphore semaphore;
    EXPECT_FALSE(semaphore.wait(0.01));
    semaphore.signal();
    semaphore.signal();
    EXPECT_TRUE(semaphore.wait(0));
    semaphore.wait();
    EXPECT_FALSE(semaphore.wait(0));

    // Ping-pong between two threads: every signal is matched by one wait.
    Semaphore ping, pong;
    std::thread other([&] {
        for (int i = 0; i < 2000; ++i) {
            ping.wait();
            pong.signal();
        }
    });
    for (int i = 0; i < 2000; ++i) {
        ping.signal();
        ASSERT_TRUE(pong.wait(testsupport::waitLimitSeconds));
    }
    other.join();
}

TEST(DispatchQueueDeathTest, SyncOntoTheMainQueueGivesUpOnceQuittingHasBegun)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // In a child process, as quitting cannot be undone for the rest of the process.
    EXPECT_EXIT(
        {
            std::atomic<bool> ran{false};
            std::atomic<int> results{0};
            std::atomic<bool> failed{false};
            auto syncFromWorker = [&] {
                if (DispatchQueue::main()->sync([&] { ran = true; })) failed = true;
                ++results;
            };
            std::thread blocked(syncFromWorker);  // posted while the main thread is busy
            core::sleepFor(0.1);
            core::MainLoop::quit();
            blocked.join();
            std::thread late(syncFromWorker);  // after quitting began: returns at once
            late.join();
            core::MainLoop::processEvents(0.05);  // the posted block must not run any more
            _exit(!failed && !ran && results == 2 && core::MainLoop::isQuitting() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
