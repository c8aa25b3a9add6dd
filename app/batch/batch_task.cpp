#include "app/batch/batch_task.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <exception>
#include <limits>

#include "app/batch/batch_manager.h"
#include "app/document/defaults_keys.h"
#include "app/document/write_failure.h"
#include "foundation/file_manager_extensions.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "foundation/time_values.h"
#include "moviekit/thumbnailer.h"
#include "platform/core/bundle.h"
#include "platform/core/data.h"
#include "platform/core/double_description.h"
#include "platform/core/error.h"
#include "platform/core/file_manager.h"
#include "platform/core/free_memory.h"
#include "platform/core/main_thread.h"
#include "platform/core/queue_check.h"

namespace vistrel {

namespace {

std::atomic<int> framesAtWorkNow = 0;
std::atomic<int> framesAtWorkPeak = 0;

// Counts one frame at work for its scope.
class FrameAtWork {
public:
    FrameAtWork()
    {
        const int now = ++framesAtWorkNow;
        int peak = framesAtWorkPeak.load();
        while (now > peak && !framesAtWorkPeak.compare_exchange_weak(peak, now)) {
        }
    }
    ~FrameAtWork() { --framesAtWorkNow; }
    FrameAtWork(const FrameAtWork&) = delete;
    FrameAtWork& operator=(const FrameAtWork&) = delete;
};

// Write failures that every other frame of the task would meet as well.
bool failsEveryFrame(int error)
{
    return error == ENOENT || error == ENOTDIR || error == EROFS || error == EACCES || error == EPERM ||
           error == ENOSPC || error == EDQUOT;
}

}  // namespace

std::shared_ptr<BatchTask> BatchTask::create(std::shared_ptr<orvalis::Movie> movie, core::Url destURL)
{
    return std::make_shared<BatchTask>(std::move(movie), std::move(destURL));
}

BatchTask::BatchTask(std::shared_ptr<orvalis::Movie> movie, core::Url destURL)
    : movie_(std::move(movie)), edition_(movie_->edition()), destURL_(std::move(destURL))
{
}

std::uint64_t BatchTask::newBatch()
{
    static std::atomic<std::uint64_t> last = 0;
    return ++last;
}

void BatchTask::setSplitter(const orvalis::TimeSplitter& splitter)
{
    splitter_ = splitter;
    count_ = std::max<std::int64_t>(0, splitter_.timesCount());
}

std::shared_ptr<BatchManager> BatchTask::manager() const
{
    core::MutexLock lock(stateMutex_);
    return manager_.lock();
}

void BatchTask::setManager(const std::weak_ptr<BatchManager>& manager)
{
    core::MutexLock lock(stateMutex_);
    manager_ = manager;
}

// MARK: - States

template <class Allowed>
std::optional<BatchState> BatchTask::changeState(Allowed allowed, BatchState to)
{
    core::MutexLock lock(stateMutex_);
    const BatchState from = state_.load();
    if (!allowed(from)) return std::nullopt;
    if (auto manager = manager_.lock()) {
        core::MutexLock counters(manager->countersMutex());
        manager->leaveState(*this);
        state_ = to;
        manager->enterState(*this);
    } else {
        state_ = to;
    }
    return from;
}

void BatchTask::start()
{
    if (changeState([](BatchState s) { return s == BatchState::pending; }, BatchState::processing)) launchWorker();
}

void BatchTask::stop()
{
    // A pending task goes straight to stopped and gets its worker, which waits for resume before any frame.
    const auto from = changeState([](BatchState s) { return !batch_state::isFinished(s); }, BatchState::stopped);
    if (from == BatchState::pending) launchWorker();
}

void BatchTask::launchWorker()
{
    core::assertMainThread();
    // The naming settings are read here, on the main thread, as the task is launched: the worker reads none, also
    // one that comes only after the task was cancelled, as the program ends and the settings go.
    imageNamer_ = makeImageNamer();
    core::DispatchQueue::global(core::QoS::utility)->async([self = shared_from_this()] { self->execute(); });
}

void BatchTask::resume()
{
    if (changeState([](BatchState s) { return s == BatchState::stopped; }, BatchState::processing)) turns_.wake();
}

void BatchTask::cancel()
{
    const auto from = changeState([](BatchState s) { return !batch_state::isFinished(s); }, BatchState::cancelled);
    if (!from) return;
    if (*from == BatchState::stopped) turns_.wake();
    lastSemaphore_.signal();
}

// MARK: - Shared queue

// The shared queue is never destroyed: workers of tasks may still reach it while the process ends.
std::shared_ptr<core::DispatchQueue> BatchTask::sharedQueue()
{
    static const auto* queue = new std::shared_ptr<core::DispatchQueue>(core::DispatchQueue::makeConcurrent(
        core::Bundle::main()->identifier().value_or("") + ".BatchTask.sharedQueue"));
    return *queue;
}

int BatchTask::framesAtWork() { return framesAtWorkNow.load(); }

int BatchTask::mostFramesAtWork() { return framesAtWorkPeak.load(); }

void BatchTask::resetMostFramesAtWork() { framesAtWorkPeak = framesAtWorkNow.load(); }

// MARK: - Work

void BatchTask::execute()
{
    core::assertOnQueue(*core::DispatchQueue::global(core::QoS::utility));
    // The movie's decoders stay open from one frame to the next while the task works, and close before it
    // gives its turn to the next task.
    std::shared_ptr<void> decoders = media::Asset::holdIdleDecoders(movie_->avasset());
    // Reading the frame times opens the movie: only in the task's turn, as its frames.
    if (splitter_.stepsByFrames() && !splitter_.frameTimes && turns_.takeTurn()) {
        orvalis::TimeSplitter withFrames = splitter_;
        withFrames.frameTimes = movie_->frameTimes();
        setSplitter(withFrames);
        if (auto manager = this->manager()) manager->taskDidUpdateProgress();
    }
    openLog();
    run();
    // A task without frames has nothing to wait for.
    if (count_.load() > 0) lastSemaphore_.wait();
    decoders.reset();
    turns_.leaveTurn();
    // The task's decoders, pictures and files are freed: what the allocator keeps of them goes back.
    core::giveFreeMemoryBack();
    // The log is in place before anyone can see the task finished.
    closeLog();
    changeState([](BatchState s) { return !batch_state::isFinished(s); }, BatchState::complete);
}

orvalis::ImageNamer BatchTask::makeImageNamer() const
{
    orvalis::ImageNamer namer;
    namer.setMovieURL(movie_->url());
    namer.setFormat(format_);
    namer.setMarkups(
        kestrane::Defaults[BatchOutputMarkupsKey].strings().value_or(orvalis::ImageNamer::DefaultMarkups()));
    return namer;
}

std::string BatchTask::nameSignature() const
{
    orvalis::ImageNamer namer = makeImageNamer();
    namer.setCount(count_);
    // The names of two frames, which tell apart every token that depends on the frame.
    std::string signature;
    for (const std::int64_t k : {1, 2}) {
        namer.setIndex(k);
        namer.setTime(media::Time::make(1501 * k, 1000));
        signature += namer.name().value_or("") + "/";
    }
    return signature;
}

void BatchTask::run()
{
    orvalis::ImageNamer& namer = *imageNamer_;
    const std::int64_t count = count_;
    namer.setCount(count);
    for (std::int64_t i = 0; i < count; ++i) {
        if (!turns_.takeFrameSlot()) return;
        const media::Time time = splitter_.time(i);
        namer.setIndex(i + 1);
        namer.setTime(time);
        const std::optional<std::string> name = namer.name();
        if (!name) {
            // A name that would not be a file of the folder.
            BatchTurns::concurrencySemaphore().signal();
            log_.writeError(i, destURL_, "the naming template gives this frame no file name");
            frameDone();
            continue;
        }
        const BatchNames::Claim claim = BatchNames::shared().claim(destURL_.appendingPathComponent(*name), batch_,
                                                                   shared_from_this(), useAlternativeName_, nameRank_);
        if (!jobTried_) {
            // Once per turn: a movie whose frames cannot be grabbed together fails them one by one.
            job_ = makeJob(i);
            jobFirst_ = i;
            jobTried_ = true;
        }
        ++framesInFlight_;
        sharedQueue()->async(
            [self = shared_from_this(), frame = Frame{i, time, claim}, job = job_,
             index = std::size_t(i - jobFirst_)]() mutable { self->frameDidFinish(frame, std::move(job), index); });
    }
}

std::shared_ptr<media::ImageJob> BatchTask::makeJob(std::int64_t first)
{
    if (!std::isfinite(maxSize_) || maxSize_ < 0) return nullptr;
    std::vector<orvalis::Thumbnailer::Grab> grabs;
    for (std::int64_t i = first; i < count_; ++i)
        grabs.push_back({splitter_.time(i), edition_});
    try {
        orvalis::Thumbnailer thumbnailer(movie_);
        thumbnailer.setMaximumSize(gfx::Size{maxSize_, maxSize_});
        auto encode = [format = format_](std::size_t, const gfx::ImageRef& image) {
            return kestrane::data(image, format);
        };
        const int decoders = int(std::min<long>(BatchTurns::frameLimit(), std::numeric_limits<int>::max()));
        return thumbnailer.accurateImages(
            grabs, [stopped = stoppedForGood_] { return stopped->load(); }, decoders, std::move(encode));
    } catch (const core::Error&) {
        return nullptr;
    }
}

bool BatchTask::writeFile(const BatchNames::Claim& name, const std::function<std::optional<core::Data>()>& bytes,
                          int& error) const
{
    if (name.fresh || useAlternativeName_)
        return kestrane::writeToFreeName(*core::FileManager::defaultManager(), name.url, bytes, &error).has_value();
    const std::optional<core::Data> data = bytes();
    error = 0;
    return data && core::writeAtomically(*data, name.url.path(), error);
}

void BatchTask::frameDidFinish(const Frame& frame, std::shared_ptr<media::ImageJob> job, std::size_t index)
{
    core::assertOnQueue(*sharedQueue());
    // A task stopped for good decodes and writes nothing more: its frames in flight end without counting.
    bool handled = false;
    {
        FrameAtWork atWork;
        const std::optional<media::ImageJob::Image> answer = job && !*stoppedForGood_ ? job->take(index) : std::nullopt;
        // Let go before the frame counts as done: the task's worker then ends the job, its decoders closed,
        // before it hands its turn on.
        job.reset();
        if (answer) {
            writeAnswer(*answer, frame);
            handled = true;
        } else if (!*stoppedForGood_) {
            snapImage(frame);
            handled = true;
        }
    }
    BatchTurns::concurrencySemaphore().signal();
    if (handled) frameDone();
    if (--framesInFlight_ == 0 && *stoppedForGood_) lastSemaphore_.signal();
}

void BatchTask::writeAnswer(const media::ImageJob::Image& answer, const Frame& frame)
{
    if (answer.error || (!answer.image && !answer.bytes)) {
        log_.snapError(frame.position, frame.time,
                       answer.error ? answer.error->message() : std::string("no picture was decoded there"));
        return;
    }
    writeFrame(frame, [&] { return answer.bytes; });
}

void BatchTask::snapImage(const Frame& frame)
{
    gfx::ImageRef image;
    std::string reason = "its time or the largest size is not a number";
    const double seconds = frame.time.seconds();
    if (std::isfinite(maxSize_) && maxSize_ >= 0 && frame.time.isNumeric() && std::isfinite(seconds)) {
        try {
            orvalis::Thumbnailer thumbnailer(movie_);
            thumbnailer.setMaximumSize(gfx::Size{maxSize_, maxSize_});
            thumbnailer.setEdition(edition_);
            image = thumbnailer.accurateImage(frame.time);
        } catch (const core::Error& error) {
            image = nullptr;
            reason = error.message();
        }
    }
    if (!image) {
        log_.snapError(frame.position, frame.time, reason);
        return;
    }
    writeFrame(frame, [&] { return kestrane::data(image, format_); });
}

void BatchTask::writeFrame(const Frame& frame, const std::function<std::optional<core::Data>()>& bytes)
{
    int error = 0;
    if (writeFile(frame.name, bytes, error)) return;
    log_.writeError(frame.position, frame.name.url, writeFailureReason(error));
    if (failsEveryFrame(error)) stopForGood(writeFailureReason(error));
}

void BatchTask::stopForGood(const std::string& reason)
{
    if (!log_.stop(reason)) return;
    *stoppedForGood_ = true;
    // The worker, waiting for a resume or for the last frame, goes on to the end once the frames in flight
    // (the one stopping it among them, when it is one) have ended.
    turns_.wake();
    if (framesInFlight_ == 0) lastSemaphore_.signal();
}

void BatchTask::frameDone()
{
    const std::int64_t done = ++index_;
    if (auto manager = this->manager()) manager->taskDidUpdateProgress();
    if (done == count_) lastSemaphore_.signal();
}

// MARK: - Log

void BatchTask::openLog()
{
    if (!shouldWriteLog_) return;
    const std::string size = core::describe(maxSize_) + (maxSize_ == 0 ? " (no limit)" : "");
    log_.open({{"File url", movie_->url().path()},
               {"Dest url", destURL_.path()},
               {"Format", kestrane::fileExtension(format_)},
               {"Count", std::to_string(count_.load())},
               {"Size", size}});
}

void BatchTask::closeLog()
{
    log_.close([this](const std::string& text) -> std::optional<std::string> {
        const BatchNames::Claim name =
            BatchNames::shared().claim(destURL_.appendingPathComponent(movie_->title() + "-logs.txt"), batch_,
                                       shared_from_this(), useAlternativeName_, nameRank_);
        int error = 0;
        if (writeFile(
                name, [&] { return core::dataFromString(text); }, error))
            return std::nullopt;
        return "The log \"" + name.url.lastPathComponent() + "\" cannot be written in \"" + destURL_.path() +
               "\": " + writeFailureReason(error ? error : EIO) + ".";
    });
}

}  // namespace vistrel
