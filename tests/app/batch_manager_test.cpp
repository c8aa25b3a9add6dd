#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>

#include "app/batch/batch_manager.h"
#include "app/batch/batch_task.h"
#include "tests/app/batch_fixture.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait_until.h"

namespace {

using batchtest::everyTenths;
using vistrel::BatchManager;
using vistrel::BatchState;
using vistrel::BatchTask;
using Tasks = std::vector<std::shared_ptr<BatchTask>>;

namespace fs = std::filesystem;

// Whether the thread of this process sleeps: waits for a lock, a signal or a call to return.
bool threadSleeps(pid_t thread)
{
    std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto nameEnd = line.rfind(')');
    return nameEnd != std::string::npos && nameEnd + 2 < line.size() &&
           (line[nameEnd + 2] == 'S' || line[nameEnd + 2] == 'D');
}

// Waits on this thread, which need not be the main one, until the condition holds; false after the limit.
bool waitOnThisThread(const std::function<bool()>& condition) { return testsupport::waitUntil(condition); }

// A task without frames whose thread stops where the test says: holding the counters' lock (its state, first
// read on its own thread, is read by the manager with the lock held), or before it completes (outside every
// lock), until the test lets it go.
class HeldTask : public batchtest::EndingTask {
public:
    enum class Where { holdingTheLock, beforeCompleting };

    HeldTask(const std::string& movie, const std::filesystem::path& folder, Where where)
        : EndingTask(orvalis::Movie::create(core::Url::fileURL(movie)), core::Url::fileURL(folder.string())),
          where_(where)
    {
        setSplitter(everyTenths(40, 30));
    }

    BatchState state() const override
    {
        if (where_ == Where::holdingTheLock && std::this_thread::get_id() != mainThread_) stop();
        return BatchTask::state();
    }
    bool isHeld() const { return held_; }
    void letGo() { letGo_.signal(); }
    // Once let go and on its way again: the thread that was held.
    std::optional<pid_t> resumedThread() const { return resumed_ ? std::optional(thread_.load()) : std::nullopt; }

protected:
    void closeLog() override
    {
        if (where_ == Where::beforeCompleting) stop();
        BatchTask::closeLog();
    }

private:
    void stop() const
    {
        const pid_t self = gettid();
        if (held_.exchange(true)) return;
        thread_ = self;
        letGo_.wait();
        resumed_ = true;
    }

    const Where where_;
    const std::thread::id mainThread_ = std::this_thread::get_id();
    mutable std::atomic<bool> held_ = false;
    mutable std::atomic<pid_t> thread_ = 0;
    mutable std::atomic<bool> resumed_ = false;
    mutable core::Semaphore letGo_;
};

class BatchManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        movie = batchtest::makeMovie(movies.path());
        manager->setDelegate(delegate);
    }

    Tasks makeTasks(int n, const orvalis::TimeSplitter& splitter, const fs::path& folder)
    {
        Tasks tasks;
        for (int i = 0; i < n; ++i)
            tasks.push_back(batchtest::makeTask(movie, folder, splitter));
        return tasks;
    }

    // Each counter against the states of the listed tasks, once nothing moves any more.
    void expectCountsMatchStates()
    {
        BatchManager::Counts fromStates;
        for (const auto& task : manager->tasks()) {
            switch (task->state()) {
            case BatchState::pending:
                ++fromStates.pending;
                break;
            case BatchState::processing:
                ++fromStates.processing;
                break;
            case BatchState::stopped:
                ++fromStates.stopped;
                break;
            case BatchState::cancelled:
            case BatchState::complete:
                ++fromStates.complete;
                break;
            }
        }
        const auto counts = manager->counts();
        EXPECT_EQ(counts.pending, fromStates.pending);
        EXPECT_EQ(counts.processing, fromStates.processing);
        EXPECT_EQ(counts.stopped, fromStates.stopped);
        EXPECT_EQ(counts.complete, fromStates.complete);
    }

    testsupport::TempDir movies{"movies"};
    testsupport::TempDir out{"out"};
    batchtest::TasksEnd tasksEnd;
    std::string movie;
    std::shared_ptr<BatchManager> manager = BatchManager::create();
    std::shared_ptr<batchtest::RecordingDelegate> delegate = std::make_shared<batchtest::RecordingDelegate>();
};

TEST_F(BatchManagerTest, AppendingStartsEveryTaskAndReportsOnTheMainQueue)
{
    Tasks tasks = makeTasks(3, everyTenths(10, 30), out.path());
    {
        batchtest::FramesHeld held;
        manager->appendTasks(tasks);
        EXPECT_EQ(delegate->appended, 1);
        EXPECT_EQ(delegate->updates, 0);
        EXPECT_EQ(manager->pendingTasksCount(), 0);
        EXPECT_EQ(manager->processingTasksCount(), 3);
        EXPECT_EQ(manager->runningTasksCount(), 3);
        EXPECT_TRUE(testsupport::runUntil([&] { return delegate->updates == 3; }));
    }
    ASSERT_TRUE(batchtest::runUntilFinished(tasks));
    EXPECT_TRUE(testsupport::runUntil([&] { return delegate->updates == 6 && delegate->progress == 6; }));
    EXPECT_EQ(manager->completeTasksCount(), 3);
    EXPECT_EQ(manager->runningTasksCount(), 0);
    // The batch ended by itself once, whichever of the three was last.
    EXPECT_EQ(manager->counts().naturalEnds, 1);
    EXPECT_FALSE(delegate->offMainThread);
    EXPECT_EQ(delegate->unbalanced, 0);
}

TEST_F(BatchManagerTest, StoppedTasksAreNotRunningAndCancellingCountsAsComplete)
{
    Tasks tasks = makeTasks(3, everyTenths(10, 30), out.path());
    {
        batchtest::FramesHeld held;
        manager->appendTasks(tasks);
        tasks[1]->stop();
        tasks[2]->stop();
        tasks[0]->cancel();
        EXPECT_EQ(manager->runningTasksCount(), 0);
        EXPECT_EQ(manager->stoppedTasksCount(), 2);
        EXPECT_EQ(manager->completeTasksCount(), 1);
        // Nothing runs any more, but by stops and a cancel: no end of the batch.
        EXPECT_EQ(manager->counts().naturalEnds, 0);
        tasks[2]->resume();
    }
    ASSERT_TRUE(batchtest::runUntilFinished({tasks[0], tasks[2]}));
    EXPECT_EQ(tasks[2]->state(), BatchState::complete);
    EXPECT_EQ(tasks[1]->state(), BatchState::stopped);
    EXPECT_EQ(manager->counts().naturalEnds, 1);
    manager->cancelAllTasks();
    EXPECT_EQ(tasks[1]->state(), BatchState::cancelled);
    EXPECT_EQ(manager->completeTasksCount(), 3);
    EXPECT_EQ(manager->counts().naturalEnds, 1);
    ASSERT_TRUE(batchtest::runUntilFinished(tasks));
    expectCountsMatchStates();
}

TEST_F(BatchManagerTest, RemovingFinishedTasksKeepsTheOrderOfTheOthers)
{
    Tasks tasks = makeTasks(5, everyTenths(10, 30), out.path());
    batchtest::FramesHeld held;
    manager->appendTasks(tasks);
    manager->removeFinishedTasks();
    EXPECT_EQ(delegate->removed, 1);
    EXPECT_EQ(manager->tasks().size(), 5u);

    core::IndexSet indexes;
    indexes.insert(1);
    indexes.insert(3);
    manager->cancelTasks(indexes);
    manager->removeFinishedTasks();
    EXPECT_EQ(delegate->removed, 2);
    EXPECT_EQ(manager->tasks(), (Tasks{tasks[0], tasks[2], tasks[4]}));
    EXPECT_EQ(manager->completeTasksCount(), 0);
    EXPECT_EQ(manager->processingTasksCount(), 3);

    manager->cancelAllTasks();
    manager->removeFinishedTasks();
    EXPECT_TRUE(manager->tasks().empty());
    EXPECT_EQ(manager->counts().sum(), 0);
}

// Notes, each time the manager tells of appended or removed tasks, whether `flag` was up by then.
class FlagWatcher : public vistrel::BatchManagerDelegate {
public:
    explicit FlagWatcher(const std::atomic<bool>& flag) : flag_(flag) {}
    void batchManagerDidAppendTasks(BatchManager&) override { seen.push_back(flag_); }
    void batchManagerDidRemoveTasks(BatchManager&) override { seen.push_back(flag_); }
    void batchManagerDidUpdateProgress(BatchManager&) override {}
    void batchManagerDidUpdate(BatchManager&) override {}

    std::vector<bool> seen;

private:
    const std::atomic<bool>& flag_;
};

TEST_F(BatchManagerTest, TheCountersChangeOnlyUnderTheirLock)
{
    const auto heldTask = [&](HeldTask::Where where) {
        auto task = std::make_shared<HeldTask>(movie, out.path(), where);
        batchtest::endWithTest(task);
        return task;
    };
    // While a task's thread holds the lock, appending and removing must wait for it: the manager tells of
    // either only once it has changed the counters, which is after the task was let go.
    for (const bool appending : {true, false}) {
        auto holder = heldTask(HeldTask::Where::holdingTheLock);
        manager->setDelegate({});
        manager->appendTasks({holder});
        ASSERT_TRUE(testsupport::runUntil([&] { return holder->isHeld(); }));
        std::atomic<bool> letGo = false;
        auto watcher = std::make_shared<FlagWatcher>(letGo);
        manager->setDelegate(watcher);
        const Tasks appended = makeTasks(1, everyTenths(40, 30), out.path());
        // The task is let go once the main thread sleeps: waiting for the lock in the call, or, when the call did
        // not wait for it, past the call, waiting for this thread to end.
        const pid_t mainThread = gettid();
        std::thread later([&] {
            waitOnThisThread([&] { return threadSleeps(mainThread); });
            letGo = true;
            holder->letGo();
        });
        if (appending)
            manager->appendTasks(appended);
        else
            manager->removeFinishedTasks();
        later.join();
        EXPECT_EQ(watcher->seen, std::vector<bool>{true}) << (appending ? "appending" : "removing");
        ASSERT_TRUE(batchtest::runUntilFinished({holder}));
    }
    manager->setDelegate({});
    // A task's own change of state, on its thread.
    auto mover = heldTask(HeldTask::Where::beforeCompleting);
    auto holder = heldTask(HeldTask::Where::holdingTheLock);
    manager->appendTasks({mover, holder});
    ASSERT_TRUE(testsupport::runUntil([&] { return mover->isHeld() && holder->isHeld(); }));
    mover->letGo();
    // Let go, the mover either changes its state at once or sleeps, waiting for the lock.
    ASSERT_TRUE(waitOnThisThread([&] {
        const auto thread = mover->resumedThread();
        return thread && (threadSleeps(*thread) || mover->state() != BatchState::processing);
    }));
    EXPECT_EQ(mover->state(), BatchState::processing) << "a task changed state while another held the lock";
    holder->letGo();
    ASSERT_TRUE(batchtest::runUntilFinished(manager->tasks()));
    EXPECT_EQ(mover->state(), BatchState::complete);
    expectCountsMatchStates();
}

TEST_F(BatchManagerTest, NeverMoreFramesAtWorkThanTheSharedLimit)
{
    Tasks tasks;
    std::vector<fs::path> folders;
    for (int i = 0; i < 6; ++i) {
        folders.push_back(out / std::to_string(i));
        fs::create_directory(folders.back());
        tasks.push_back(batchtest::makeTask(movie, folders.back(), everyTenths(3, 30)));
    }
    BatchTask::resetMostFramesAtWork();
    manager->appendTasks(tasks);
    ASSERT_TRUE(batchtest::runUntilFinished(tasks));
    EXPECT_LE(BatchTask::mostFramesAtWork(), 2);
    EXPECT_GE(BatchTask::mostFramesAtWork(), 1);
    for (const auto& folder : folders) {
        const auto names = batchtest::fileNames(folder);
        ASSERT_EQ(names.size(), 9u);
        for (std::size_t k = 0; k < names.size(); ++k)
            EXPECT_EQ(batchtest::frameIndexIn(folder / names[k]), 3 * int(k + 1));
    }
}

TEST_F(BatchManagerTest, RandomCommandsKeepTheCountsAndLeaveOnlyWholeFiles)
{
    std::mt19937 random(7);
    Tasks tasks;
    for (int i = 0; i < 8; ++i) {
        // Two tasks write into each folder with the same names: half of them claim free names.
        auto task = batchtest::makeTask(movie, out.path(), everyTenths(1 + i % 3, 30));
        task->setUseAlternativeName(i % 2 == 0);
        task->setShouldWriteLog(true);
        tasks.push_back(task);
    }
    manager->appendTasks(tasks);
    for (int step = 0; step < 200; ++step) {
        auto& task = tasks[random() % tasks.size()];
        switch (random() % 4) {
        case 0:
            task->stop();
            break;
        case 1:
            task->resume();
            break;
        case 2:
            if (random() % 8 == 0) task->cancel();
            break;
        default:
            break;
        }
        const auto counts = manager->counts();
        ASSERT_EQ(counts.sum(), 8);
        ASSERT_GE(counts.pending, 0);
        ASSERT_GE(counts.stopped, 0);
        ASSERT_GE(counts.processing, 0);
        ASSERT_GE(counts.complete, 0);
        core::MainLoop::processEvents(0.002 * double(random() % 4));
    }
    for (const auto& task : tasks)
        task->resume();
    ASSERT_TRUE(batchtest::runUntilFinished(tasks));
    testsupport::runQueued();
    expectCountsMatchStates();
    EXPECT_EQ(delegate->unbalanced, 0);
    for (const auto& task : tasks) {
        if (task->state() == BatchState::complete) {
            EXPECT_EQ(task->index(), task->count());
        }
    }
    for (const auto& name : batchtest::fileNames(out.path())) {
        if (name.ends_with(".txt")) {
            EXPECT_EQ(batchtest::readText(out / name).rfind("File url    : ", 0), 0u) << name;
        } else {
            ASSERT_TRUE(name.ends_with(".png")) << name;
            EXPECT_GE(batchtest::frameIndexIn(out / name), 0) << name;
        }
    }
}

}  // namespace
