// One movie turned into a series of image files in a folder: the times of its splitter one after the other,
// each frame named through an image namer, grabbed at up to a maximum size and written, with an optional log
// of the frames that failed. Can be stopped, resumed and cancelled at any time.
//
// Threads: created, set up and commanded (start, stop, resume, cancel) on the main thread; its frame loop
// runs on a worker of the global utility queue; its frames run on the shared concurrent queue. State, index
// and errors are safe to read from any thread. All tasks of the process share one counting semaphore that
// limits how many frames are grabbed and written at once, and one concurrent queue for that work.
//
// Decoding: in its turn the task decodes its frames as one image job (media::ImageJob), its key-frame stretches
// side by side on at most as many decoders as frames may be at work, each frame encoded on the thread that
// decoded it; the frames on the shared queue take their file's bytes from it and write them. The job is given up
// with the turn and made again for the frames left when the task resumes.
//
// Memory: tasks take turns, as many at a time as frames may be at work, so that a batch of many movies keeps
// the decoders of a few of them only; a stopped task gives its turn up while it waits. The movie keeps its
// decoders from one frame to the next while the task works (for a movie that keeps them only while held).
//
// Files: every image and the log come into being whole or not at all, also when the process is killed: each
// is written to a temporary file of the folder and then given its name in one step. A free name, when free
// names are asked for, is taken in that same step, so that no two frames or tasks ever get it and nothing
// already there is replaced. Nothing here removes a folder.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/batch/batch_names.h"
#include "app/batch/batch_state.h"
#include "app/batch/batch_task_log.h"
#include "app/batch/batch_turns.h"
#include "foundation/image_format.h"
#include "moviekit/edition.h"
#include "moviekit/image_namer.h"
#include "moviekit/movie.h"
#include "moviekit/time_splitter.h"
#include "platform/core/data.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/mutex.h"
#include "platform/core/semaphore.h"
#include "platform/core/url.h"
#include "platform/media/image_job.h"
#include "platform/media/time.h"

namespace vistrel {

class BatchManager;

class BatchTask : public std::enable_shared_from_this<BatchTask> {
public:
    static std::shared_ptr<BatchTask> create(std::shared_ptr<orvalis::Movie> movie, core::Url destURL);
    // Reads the movie's edition as it is now; every other setting takes its start value.
    BatchTask(std::shared_ptr<orvalis::Movie> movie, core::Url destURL);
    virtual ~BatchTask() = default;
    BatchTask(const BatchTask&) = delete;
    BatchTask& operator=(const BatchTask&) = delete;

    const std::shared_ptr<orvalis::Movie>& movie() const { return movie_; }
    const core::Url& destURL() const { return destURL_; }

    // Settings, made on the main thread before the task is handed to a manager.
    // The largest width and height of a written frame in pixels; 0 keeps the movie's own size.
    double maxSize() const { return maxSize_; }
    void setMaxSize(double size) { maxSize_ = size; }
    kestrane::ImageFormat format() const { return format_; }
    void setFormat(kestrane::ImageFormat format) { format_ = format; }
    bool shouldWriteLog() const { return shouldWriteLog_; }
    void setShouldWriteLog(bool write) { shouldWriteLog_ = write; }
    // Whether a name already taken in the folder is replaced by a free one "name (i).ext".
    bool useAlternativeName() const { return useAlternativeName_; }
    void setUseAlternativeName(bool use) { useAlternativeName_ = use; }
    // Main thread, before the task starts: a splitter of every N frames whose frame times are not read yet
    // gets them on the task's worker, before its first frame, and count follows. Also sets count to the
    // splitter's number of times.
    void setSplitter(const orvalis::TimeSplitter& splitter);
    // The launch the task belongs to: no task replaces a file that a task of its launch, or one still at
    // work, wrote (its frame takes the next free name instead). A task is a launch of its own until told.
    void setBatch(std::uint64_t batch) { batch_ = batch; }
    // Main thread, before the task starts: how many tasks before it in its launch's table name their files as
    // it does (their signatures are equal); its names follow theirs (BatchNames::claim).
    void setNameRank(long rank) { nameRank_ = rank; }
    // What the task's file names depend on besides the frame: tasks of equal signatures name their frames
    // alike. Reads the naming template as the task will.
    std::string nameSignature() const;
    // A number no launch of the process had.
    static std::uint64_t newBatch();
    std::shared_ptr<BatchManager> manager() const;
    void setManager(const std::weak_ptr<BatchManager>& manager);

    virtual BatchState state() const { return state_.load(); }
    bool isFinished() const { return batch_state::isFinished(state()); }
    // Frames finished so far, written or failed.
    std::int64_t index() const { return index_.load(); }
    std::int64_t count() const { return count_.load(); }
    // Frames that could not be grabbed or written, and the log when it could not be written.
    std::int64_t errors() const { return log_.errors(); }
    // Why the log could not be written, in words with the system's reason; none when it was (or none was
    // asked for).
    std::optional<std::string> logFailure() const { return log_.logFailure(); }
    // The lines of the first `most` frames that failed, in the order of their times, each with its reason; a
    // task that writes no log keeps the first BatchTaskLog::failuresKeptWithoutLog only.
    std::vector<std::string> failedFrames(std::size_t most) const { return log_.failedFrames(most); }
    // Why the task stopped before its last frame, in the system's words ("No space left on device"): its
    // writes failed in a way that every frame would meet (the folder gone or read-only, the disk full); none
    // while it has not.
    std::optional<std::string> stopReason() const { return log_.stopReason(); }

    // Main thread: the user's commands; each is ignored in the states where it means nothing.
    void start();
    void stop();
    void resume();
    void cancel();

    // The queue the frames of all tasks run on, as many at once as BatchTurns::concurrencySemaphore allows.
    static std::shared_ptr<core::DispatchQueue> sharedQueue();
    // For observation: how many frames are being grabbed or written at this moment, and the most at once
    // since the last reset.
    static int framesAtWork();
    static int mostFramesAtWork();
    static void resetMostFramesAtWork();

protected:
    // Worker: the frame loop; it returns once every frame is submitted or the task is cancelled.
    void run();
    // Worker: starts the log, when one is asked for, with its header.
    void openLog();
    // Writes the log whole under its name (a free one, when free names are asked for) and closes it; later
    // lines are dropped. A log that cannot be written counts as an error of the task (see logFailure).
    virtual void closeLog();

private:
    // Main thread: hands the task to its worker.
    void launchWorker();
    void execute();
    // A namer of the task's files, as the settings say now.
    orvalis::ImageNamer makeImageNamer() const;
    // One frame of the task: its place among the splitter's times, its time and the name claimed for it.
    struct Frame {
        std::int64_t position = 0;
        media::Time time;
        BatchNames::Claim name;
    };
    // Writes the bytes at the name claimed: as a new file under it or a free name like it when the name was
    // free or free names are asked for, else replacing the file there; false when nothing could be written,
    // with `error` as kestrane::writeToFreeName gives it.
    bool writeFile(const BatchNames::Claim& name, const std::function<std::optional<core::Data>()>& bytes,
                   int& error) const;
    // The frame's answer of the job (when there is one) written, else the frame grabbed and written alone;
    // nothing once the task has stopped for good.
    void frameDidFinish(const Frame& frame, std::shared_ptr<media::ImageJob> job, std::size_t index);
    void snapImage(const Frame& frame);
    void writeAnswer(const media::ImageJob::Image& answer, const Frame& frame);
    // The frame's bytes written; a failure logged, and one that every frame would meet stops the task.
    void writeFrame(const Frame& frame, const std::function<std::optional<core::Data>()>& bytes);
    // Any thread: the writes fail for a reason every frame would meet. No frame starts after this, the frames
    // in flight write nothing, the decoding stops, and the task ends as complete.
    void stopForGood(const std::string& reason);
    // Worker: the job of the frames from `first` on; none when the frames cannot be grabbed at all (they then
    // fail one by one).
    std::shared_ptr<media::ImageJob> makeJob(std::int64_t first);
    // One more frame handled: progress, and the end of the last one.
    void frameDone();
    // Moves to `to` when the current state allows it, with the manager's counters in the same step; the old
    // state, or none when nothing changed.
    template <class Allowed>
    std::optional<BatchState> changeState(Allowed allowed, BatchState to) EXCLUDES(stateMutex_);

    const std::shared_ptr<orvalis::Movie> movie_;
    const orvalis::Edition edition_;
    const core::Url destURL_;
    double maxSize_ = 0;
    kestrane::ImageFormat format_ = kestrane::ImageFormat::png;
    bool shouldWriteLog_ = false;
    bool useAlternativeName_ = false;
    orvalis::TimeSplitter splitter_;
    std::uint64_t batch_ = newBatch();
    long nameRank_ = 0;
    std::atomic<std::int64_t> count_ = 0;

    // Guards the manager, and is held around every change of state, with the manager's lock inside.
    mutable core::Mutex stateMutex_;
    std::weak_ptr<BatchManager> manager_ GUARDED_BY(stateMutex_);
    std::atomic<BatchState> state_ = BatchState::pending;
    std::atomic<std::int64_t> index_ = 0;
    // Set by stopForGood; shared with the decoding of the task's job, which it stops.
    const std::shared_ptr<std::atomic<bool>> stoppedForGood_ = std::make_shared<std::atomic<bool>>(false);
    // Frames handed to the shared queue and not yet finished: a task stopped for good ends once they have,
    // so that no failure counts after its end.
    std::atomic<std::int64_t> framesInFlight_ = 0;

    // Worker only, in the task's turn: the job of the frames from jobFirst_ on, once tried.
    std::shared_ptr<media::ImageJob> job_;
    std::int64_t jobFirst_ = 0;
    bool jobTried_ = false;
    // The frames in flight keep the job until they have their answers; then it ends.
    BatchTurns turns_{[this] { return state(); }, stoppedForGood_,
                      [this] {
                          job_.reset();
                          jobTried_ = false;
                      }};
    core::Semaphore lastSemaphore_{0};
    // Made on the main thread when the worker is launched; the worker's alone afterwards.
    std::optional<orvalis::ImageNamer> imageNamer_;
    BatchTaskLog log_{destURL_.path()};
};

}  // namespace vistrel
