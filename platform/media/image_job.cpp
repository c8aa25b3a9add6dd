#include "platform/media/image_job.h"

#include "platform/core/free_memory.h"
#include "platform/media/detail/decoder_pool.h"
#include "platform/media/detail/decoding_share.h"
#include "platform/media/detail/frame_grab.h"
#include "platform/media/detail/job_plan.h"
#include "platform/media/detail/paused_players.h"
#include "platform/media/image_generator.h"
#include "platform/media/media_error.h"

#include <algorithm>
#include <atomic>
#include <chrono>

namespace media {

namespace {

// Without an index of key frames, targets this far apart go to runs of their own: a seek there costs less than
// decoding on through every stretch between.
constexpr double runGapSeconds = 10;
// How long after a key frame's stored time a frame stored after it may still be shown before it: reordering
// delays are a few frames.
constexpr double reorderSeconds = 0.5;
// How often a worker waiting for room asks whether the job is to stop and whether other jobs want the program's
// share.
constexpr auto waitCheckEvery = std::chrono::milliseconds(20);
// What the answers ready or being made of all jobs weigh together, beyond the one each is asked for first: the
// runs ahead of the one handed out are decoded side by side only as far as their images fit in
// ImageJob::mostHeldBytesOfAllJobs.
std::atomic<std::int64_t> heldBytes{0};

// What one image of the job weighs as generated.
std::int64_t answerBytes(const detail::DecoderPool& pool, const detail::GrabSettings& settings)
{
    const gfx::Size size = fittingSize(pool.width(), pool.height(), settings.maximumSize);
    return std::max<std::int64_t>(1, std::int64_t(4.0 * size.width * size.height));
}

// What an answer weighs as handed over.
std::int64_t weightOf(const ImageJob::Image& answer)
{
    if (answer.bytes) return std::max<std::int64_t>(1, std::int64_t(answer.bytes->size()));
    if (answer.image)
        return std::max<std::int64_t>(1, 4 * std::int64_t(answer.image->width()) * answer.image->height());
    return 1;
}

}  // namespace

// One time of the job: the frames that answer it, or why none is looked for.
struct ImageJob::Item {
    std::optional<detail::FrameWindow> window;
    std::optional<core::Error> error;
};

// A thread of the job with a decoder of its own, which it opens with threads of the program's share and closes
// to give them back whenever it stands idle while others want them.
class ImageJob::Worker {
public:
    explicit Worker(ImageJob& job) : job_(job) {}
    ~Worker() { close(); }

    void run()
    {
        while (const std::optional<std::size_t> run = job_.claimRun()) {
            const detail::JobRun& span = job_.runs_[*run];
            for (std::size_t i = span.begin; i < span.end; ++i) {
                // The decoder's threads first: room is kept only by workers that can decode (a failed open is
                // told by answer).
                if (job_.items_[i].window) (void)open();
                if (!job_.awaitRoom(i, [this] { close(); }) || !answer(i)) return;
            }
            if (detail::DecodingShare::shared().isWanted()) close();
        }
    }

private:
    // Makes the answer at `index`; false once the job is cancelled.
    bool answer(std::size_t index)
    {
        const Item& item = job_.items_[index];
        if (!item.window) {
            job_.hand(index, {nullptr, Time::invalid(), item.error, std::nullopt});
            return true;
        }
        if (!open()) {
            if (job_.isCancelled()) return false;
            fail(index, "The movie could not be opened for decoding.");
            return true;
        }
        const detail::VideoDecoder::Trail trail{detail::farFuture, [](const AVFrame*) {},
                                                [this] { return job_.shouldStop(); }};
        const AVFrame* frame = detail::grabFrame(*decoder_, *item.window, &trail);
        if (job_.shouldStop()) return false;
        Image image;
        try {
            image.image =
                detail::grabbedImage(*job_.asset_, job_.pool_, *decoder_, frame, *job_.settings_, &image.actualTime);
            if (job_.finish_) image.image = job_.finish_(index, image.image);
        } catch (const core::Error& error) {
            image = {nullptr, Time::invalid(), error, std::nullopt};
        }
        if (job_.encode_ && image.image) {
            image.bytes = job_.encode_(index, image.image);
            if (image.bytes) image.image = nullptr;
        }
        job_.hand(index, std::move(image));
        return true;
    }

    void fail(std::size_t index, const std::string& why)
    {
        job_.hand(index, {nullptr, Time::invalid(), core::Error(errorDomain, decodeFailed, why), std::nullopt});
    }

    bool open()
    {
        if (decoder_) return true;
        const int threads = job_.threadsPerDecoder_;
        if (!detail::DecodingShare::shared().take(threads, [this] { return job_.shouldStop(); })) return false;
        threads_ = threads;
        if (auto decoder = job_.pool_.openDecoder(threads)) {
            decoder_ = std::make_unique<detail::PooledDecoder>();
            decoder_->decoder = std::move(decoder);
            return true;
        }
        close();
        return false;
    }

    void close()
    {
        decoder_.reset();
        if (threads_) detail::DecodingShare::shared().give(threads_);
        threads_ = 0;
    }

    ImageJob& job_;
    std::unique_ptr<detail::PooledDecoder> decoder_;
    int threads_ = 0;  // of the share, while the decoder is open
};

ImageJob::ImageJob(std::shared_ptr<const Asset> asset, detail::DecoderPool& pool, const detail::GrabSettings& settings,
                   const std::vector<Time>& times, Finish finish, Stop stop, int mostDecoders, Encode encode)
    : asset_(std::move(asset)), pool_(pool), settings_(std::make_unique<detail::GrabSettings>(settings)),
      finish_(std::move(finish)), stop_(std::move(stop)), encode_(std::move(encode)), answers_(times.size()),
      taken_(times.size(), false), weights_(times.size(), 0)
{
    std::vector<std::optional<std::int64_t>> targets;
    for (const Time& time : times) {
        Item item;
        try {
            item.window = detail::grabWindow(*asset_, pool_, time, *settings_);
        } catch (const core::Error& error) {
            item.error = error;
        }
        targets.push_back(item.window ? std::optional(item.window->target) : std::nullopt);
        items_.push_back(std::move(item));
    }
    const AVRational base = pool_.timeBase();
    const auto ticks = [&](double seconds) { return base.num > 0 ? std::int64_t(seconds * base.den / base.num) : 0; };
    runs_ = detail::jobRuns(targets, pool_.keyFrames(), ticks(reorderSeconds), ticks(runGapSeconds));

    detail::JobDecoders plan =
        detail::jobDecoders(detail::DecodingShare::shared().threads(), runs_.size(), pool_.width(), pool_.height());
    if (mostDecoders > 0 && plan.decoders > mostDecoders) {
        plan.threads = std::max(1, plan.threads * plan.decoders / mostDecoders);
        plan.decoders = mostDecoders;
    }
    threadsPerDecoder_ = plan.threads;
    if (plan.decoders > 1) {
        // Decoders standing idle give their memory to the job's.
        pool_.closeIdle();
        detail::PausedPlayers::closeDecoders();
    }
    answerBytes_ = answerBytes(pool_, *settings_);
    // With one decoder no run is ahead of the one handed out: two answers keep it busy. Side by side, the weight
    // of all jobs' answers is the bound.
    mostHeld_ = plan.decoders > 1 ? times.size() : 2;
    for (int i = 0; i < plan.decoders && !runs_.empty(); ++i)
        workers_.emplace_back([this] { Worker(*this).run(); });
}

ImageJob::~ImageJob()
{
    cancel();
    for (std::thread& worker : workers_)
        worker.join();
    for (const std::int64_t weight : weights_)
        heldBytes -= weight;
    // The workers' decoders were freed in arenas of their own, which no thread of the job uses any more.
    core::giveFreeMemoryBack();
}

std::size_t ImageJob::count() const { return items_.size(); }

void ImageJob::cancel()
{
    {
        core::MutexLock lock(mutex_);
        cancelled_ = true;
        ready_.notify_all();
        room_.notify_all();
    }
    detail::DecodingShare::shared().wake();
}

bool ImageJob::isCancelled() const
{
    core::MutexLock lock(mutex_);
    return cancelled_;
}

bool ImageJob::shouldStop()
{
    if (stop_ && !isCancelled() && stop_()) cancel();
    return isCancelled();
}

std::size_t ImageJob::workersWaitingForRoom() const
{
    core::MutexLock lock(mutex_);
    return waitingForRoom_;
}

std::int64_t ImageJob::heldBytesOfAllJobs() { return heldBytes.load(); }

std::optional<ImageJob::Image> ImageJob::take(std::size_t index)
{
    core::MutexLock lock(mutex_);
    if (index >= answers_.size() || taken_[index]) return std::nullopt;
    ready_.wait(lock, [&]() REQUIRES(mutex_) { return cancelled_ || answers_[index].has_value(); });
    if (cancelled_) return std::nullopt;
    return takeReady(index);
}

std::optional<std::pair<std::size_t, ImageJob::Image>> ImageJob::takeAny()
{
    core::MutexLock lock(mutex_);
    std::size_t index = firstUntaken_;
    ready_.wait(lock, [&]() REQUIRES(mutex_) {
        for (index = firstUntaken_; index < answers_.size() && !answers_[index]; ++index) {
        }
        return cancelled_ || firstUntaken_ == answers_.size() || index < answers_.size();
    });
    if (cancelled_ || index >= answers_.size()) return std::nullopt;
    return std::pair(index, takeReady(index));
}

ImageJob::Image ImageJob::takeReady(std::size_t index)
{
    Image image = std::move(*answers_[index]);
    answers_[index].reset();
    taken_[index] = true;
    --held_;
    heldBytes -= std::exchange(weights_[index], 0);
    while (firstUntaken_ < taken_.size() && taken_[firstUntaken_])
        ++firstUntaken_;
    room_.notify_all();
    return image;
}

std::optional<ImageJob::Image> ImageJob::next()
{
    std::size_t index;
    {
        core::MutexLock lock(mutex_);
        index = nextToTake_++;
    }
    return take(index);
}

std::optional<std::size_t> ImageJob::claimRun()
{
    core::MutexLock lock(mutex_);
    if (cancelled_ || nextRun_ >= runs_.size()) return std::nullopt;
    return nextRun_++;
}

bool ImageJob::awaitRoom(std::size_t index, const std::function<void()>& idle)
{
    core::MutexLock lock(mutex_);
    // The answer asked for first is always made, so that the job never stands still with its room full.
    // Room freed by other jobs wakes nobody here: the wait asks again now and then.
    const auto roomFor = [&]() REQUIRES(mutex_) {
        return index == firstUntaken_ ||
               (held_ < mostHeld_ && heldBytes.load() + answerBytes_ <= mostHeldBytesOfAllJobs);
    };
    const bool waits = !cancelled_ && !roomFor();
    waitingForRoom_ += waits;
    while (!cancelled_ && !roomFor()) {
        if (room_.wait_for(lock, waitCheckEvery) == std::cv_status::no_timeout) continue;
        lock.unlock();
        if (!shouldStop() && detail::DecodingShare::shared().isWanted()) idle();
        lock.lock();
    }
    waitingForRoom_ -= waits;
    // The place is kept from now on, so that workers deciding at once never hold more than the room.
    ++held_;
    if (index != firstUntaken_) {
        weights_[index] = answerBytes_;
        heldBytes += answerBytes_;
    }
    return !cancelled_;
}

void ImageJob::hand(std::size_t index, Image image)
{
    core::MutexLock lock(mutex_);
    if (weights_[index] > 0) {
        const std::int64_t weight = weightOf(image);
        heldBytes += weight - std::exchange(weights_[index], weight);
        // A lighter answer leaves room for others.
        room_.notify_all();
    }
    answers_[index] = std::move(image);
    ready_.notify_all();
}

}  // namespace media
