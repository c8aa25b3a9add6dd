// The images of many times of one movie, known up front (a series of snaps, an export, a batch task): the times
// are cut into runs of one key-frame stretch each, and the runs are decoded side by side on decoders of the
// job's own, so that every core is busy, while the images come out in the order asked. The decoders take their
// threads from the program's share (detail::DecodingShare), which every job running at once draws on. Beyond
// the one it is asked for next, the jobs running at once hold images up to a set weight together, and a job of
// one decoder two. Made by ImageGenerator::generateImages;
// its workers start at once. take may be called from several threads at once, for different times; next and
// takeAny serve one thread at a time; cancel is for any thread.
#pragma once

#include "platform/core/condition_variable.h"
#include "platform/core/data.h"
#include "platform/core/error.h"
#include "platform/gfx/image.h"
#include "platform/media/asset.h"
#include "platform/media/time.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace media {

namespace detail {
class DecoderPool;
struct GrabSettings;
struct JobRun;
struct PooledDecoder;
struct FrameWindow;
}  // namespace detail

class ImageJob {
public:
    // One time's answer: its image and the frame's own time, or why there is none (the errors of
    // ImageGenerator::copyImage). With an Encode step, `bytes` holds the encoded image in its place; none, with
    // the image kept, when encoding failed.
    struct Image {
        gfx::ImageRef image;
        Time actualTime = Time::invalid();
        std::optional<core::Error> error;
        std::optional<core::Data> bytes;
    };
    // Work on each image on the thread that decoded it, before it is handed over (the picture edited, say):
    // the index of its time and the image as generated. It may throw core::Error, which answers that time.
    using Finish = std::function<gfx::ImageRef(std::size_t index, const gfx::ImageRef& image)>;
    // The image after Finish turned into the bytes of a file, on the same thread, for a taker that writes files:
    // an answer then weighs what its bytes weigh. None when it cannot be encoded.
    using Encode = std::function<std::optional<core::Data>(std::size_t index, const gfx::ImageRef& image)>;
    // Asked by the workers after every frame they decode and while they wait: true cancels the job (the work it
    // belongs to was stopped). Any thread.
    using Stop = std::function<bool()>;

    ImageJob(std::shared_ptr<const Asset> asset, detail::DecoderPool& pool, const detail::GrabSettings& settings,
             const std::vector<Time>& times, Finish finish, Stop stop, int mostDecoders = 0, Encode encode = {});
    // Cancels the job and waits for its workers.
    ~ImageJob();
    ImageJob(const ImageJob&) = delete;
    ImageJob& operator=(const ImageJob&) = delete;

    std::size_t count() const;
    // The answer for the time at `index` (each is taken once), waiting until it is ready; none once the job is
    // cancelled, even for an answer that was ready.
    std::optional<Image> take(std::size_t index);
    // The answer for the next time in the order asked; none after the last one, or once cancelled.
    std::optional<Image> next();
    // Any answer ready and not taken (the first in the order asked), with the index of its time, waiting for one;
    // none once all are taken, or once cancelled. For a taker that keeps what it takes anyway, so that the runs
    // decoded side by side never wait for room. Not to be mixed with next().
    std::optional<std::pair<std::size_t, Image>> takeAny();
    // Stops the workers within one frame's decoding each; what they had not handed over is dropped.
    void cancel();
    bool isCancelled() const;
    // Whether the job is cancelled, cancelling it first when its Stop says so. Any thread.
    bool shouldStop();
    // How many of the job's workers now wait for room to make their next answer. Any thread.
    std::size_t workersWaitingForRoom() const;
    // What the answers of all jobs now held beyond the one each is asked for first weigh, and the most they may.
    // Any thread.
    static std::int64_t heldBytesOfAllJobs();
    static constexpr std::int64_t mostHeldBytesOfAllJobs = 192LL * 1024 * 1024;

private:
    struct Item;
    class Worker;
    friend class Worker;

    // The next run for a worker, in the job's order; none when all are taken or the job is cancelled.
    std::optional<std::size_t> claimRun();
    // Waits until the worker may make the answer at `index`, and keeps the weight of an image as generated for
    // it; false once cancelled. `idle` is called (without the lock) while the wait lasts and the program's share
    // is wanted, so that the worker gives its threads back.
    bool awaitRoom(std::size_t index, const std::function<void()>& idle);
    // The answer made: what it weighs replaces what was kept for it.
    void hand(std::size_t index, Image image);
    // With the lock held: the ready answer at `index`, taken.
    Image takeReady(std::size_t index) REQUIRES(mutex_);

    const std::shared_ptr<const Asset> asset_;
    detail::DecoderPool& pool_;
    const std::unique_ptr<const detail::GrabSettings> settings_;
    const Finish finish_;
    const Stop stop_;
    const Encode encode_;
    std::vector<Item> items_;
    std::vector<detail::JobRun> runs_;
    int threadsPerDecoder_ = 1;
    std::size_t mostHeld_ = 2;      // with one decoder: answers ready or being made, beyond the one asked for first
    std::int64_t answerBytes_ = 1;  // an image as generated

    mutable core::Mutex mutex_;  // guards the answers, what was taken and the counts below
    core::ConditionVariable ready_;
    core::ConditionVariable room_;
    std::vector<std::optional<Image>> answers_ GUARDED_BY(mutex_);
    std::vector<bool> taken_ GUARDED_BY(mutex_);
    std::vector<std::int64_t>
        weights_ GUARDED_BY(mutex_);  // what each answer adds to all jobs' held bytes (0: not counted)
    std::size_t firstUntaken_ GUARDED_BY(mutex_) = 0;
    std::size_t held_ GUARDED_BY(mutex_) = 0;  // answers ready or being made, not taken
    std::size_t waitingForRoom_ GUARDED_BY(mutex_) = 0;
    std::size_t nextRun_ GUARDED_BY(mutex_) = 0;
    std::size_t nextToTake_ GUARDED_BY(mutex_) = 0;
    bool cancelled_ GUARDED_BY(mutex_) = false;
    std::vector<std::thread> workers_;
};

}  // namespace media
