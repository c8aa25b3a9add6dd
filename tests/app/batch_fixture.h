// What the batch tests share: small generated movies whose frames carry their index, tasks over them, a
// delegate that records the manager's calls, and reading back the files a batch wrote.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/batch/batch_manager.h"
#include "app/batch/batch_task.h"
#include "moviekit/movie.h"
#include "moviekit/time_splitter.h"
#include "tests/support/wait_until.h"

namespace batchtest {

// Frames per second of the test movies: frame k starts at k / rate seconds.
constexpr int rate = 10;

// A 3 s movie (30 frames at 10 fps, 160 × 120) at a fresh path whose file name is `name`.
std::string makeMovie(const std::filesystem::path& folder, const std::string& name = "clip.mp4");

// Frame times start + k · every, k = 1, 2, ... strictly inside [0, rangeSeconds], in tenths of a second.
orvalis::TimeSplitter everyTenths(int everyTenths, int rangeTenths, bool includeStart = false, bool includeEnd = false);

// Counts itself among the live tasks until it is gone, under a lock, so that whoever sees the count drop has seen
// all that the thread which let the task go did with it. A base of EndingTask before BatchTask, thus gone last.
class LiveTask {
public:
    LiveTask();
    ~LiveTask();
    LiveTask(const LiveTask&) = delete;
    LiveTask& operator=(const LiveTask&) = delete;
};

// A task that TasksEnd can wait for: every task a test hands to endWithTest is one.
class EndingTask : private LiveTask, public vistrel::BatchTask {
public:
    using BatchTask::BatchTask;
};

// A task over the movie into the folder; it is cancelled when its test ends (see TasksEnd).
std::shared_ptr<EndingTask> makeTask(const std::string& moviePath, const std::filesystem::path& folder,
                                     const orvalis::TimeSplitter& splitter);

// Lets the task end with its test, as those of makeTask do.
void endWithTest(const std::shared_ptr<EndingTask>& task);

// Ends every task made through makeTask (or handed to endWithTest) before its test ends: when it goes, cancels those
// still alive and waits until every task is gone, so that no frame loop runs on into the next test or the end of the
// process. A fixture declares it after the folders its tasks use and before whatever holds tasks.
class TasksEnd {
public:
    TasksEnd() = default;
    ~TasksEnd();
    TasksEnd(const TasksEnd&) = delete;
    TasksEnd& operator=(const TasksEnd&) = delete;
};

// The regular files of a folder, by name.
std::vector<std::string> fileNames(const std::filesystem::path& folder);
// The frame index an image file shows; -1 when it is no image or shows none.
int frameIndexIn(const std::filesystem::path& file);
std::string readText(const std::filesystem::path& file);

// Serves the main queue until every task is finished.
bool runUntilFinished(const std::vector<std::shared_ptr<vistrel::BatchTask>>& tasks,
                      double timeout = testsupport::waitLimitSeconds);

// Takes every unit of the shared frame limit for its scope, so that no frame of any task starts.
class FramesHeld {
public:
    FramesHeld();
    ~FramesHeld();
    FramesHeld(const FramesHeld&) = delete;
    FramesHeld& operator=(const FramesHeld&) = delete;
};

// Records the manager's calls and the thread they came on.
class RecordingDelegate : public vistrel::BatchManagerDelegate {
public:
    void batchManagerDidAppendTasks(vistrel::BatchManager& manager) override;
    void batchManagerDidRemoveTasks(vistrel::BatchManager& manager) override;
    void batchManagerDidUpdateProgress(vistrel::BatchManager& manager) override;
    void batchManagerDidUpdate(vistrel::BatchManager& manager) override;

    int appended = 0;
    int removed = 0;
    int progress = 0;
    int updates = 0;
    bool offMainThread = false;
    // Counter sums that did not match the number of tasks when a call ran.
    int unbalanced = 0;

private:
    void check(vistrel::BatchManager& manager);
    std::thread::id mainThread_ = std::this_thread::get_id();
};

}  // namespace batchtest
