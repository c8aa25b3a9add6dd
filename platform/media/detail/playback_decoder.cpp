#include "platform/media/detail/playback_decoder.h"

#include <algorithm>

namespace media::detail {

PlaybackDecoder::PlaybackDecoder(std::unique_ptr<PlaybackFrameSource> source, LandingHandler landed)
    : source_(std::move(source)), landed_(std::move(landed))
{
    thread_ = std::thread([this] { run(); });
}

PlaybackDecoder::~PlaybackDecoder()
{
    {
        core::MutexLock lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void PlaybackDecoder::issue(Command command)
{
    {
        core::MutexLock lock(mutex_);
        if (!command.isStep) queue_.clear();
        pending_ = std::move(command);
        ended_ = false;
        closeWhenIdle_ = false;
    }
    wake_.notify_all();
}

void PlaybackDecoder::seek(std::uint64_t command, const Time& t, const Time& before, const Time& after)
{
    issue({command, false, t, before, after, std::nullopt, 0});
}

void PlaybackDecoder::step(std::uint64_t command, std::optional<std::int64_t> fromPts, const Time& fromTime, int count)
{
    issue({command, true, fromTime, Time::zero(), Time::zero(), fromPts, count});
}

void PlaybackDecoder::setQueueLength(std::size_t length)
{
    {
        core::MutexLock lock(mutex_);
        queueLength_ = std::max<std::size_t>(1, length);
        closeWhenIdle_ = false;
    }
    wake_.notify_all();
}

void PlaybackDecoder::closeDecodersWhenIdle()
{
    {
        core::MutexLock lock(mutex_);
        closeWhenIdle_ = true;
    }
    wake_.notify_all();
}

std::optional<PlaybackFrame> PlaybackDecoder::takeDue(const Time& time)
{
    std::optional<PlaybackFrame> due;
    {
        core::MutexLock lock(mutex_);
        if (pending_) return std::nullopt;
        while (!queue_.empty() && compare(queue_.front().time, time) <= 0) {
            due = std::move(queue_.front());
            queue_.pop_front();
            takenSinceLanding_ = true;
        }
    }
    if (due) wake_.notify_all();
    return due;
}

std::optional<Time> PlaybackDecoder::nextFrameTime() const
{
    core::MutexLock lock(mutex_);
    if (pending_ || queue_.empty()) return std::nullopt;
    return queue_.front().time;
}

bool PlaybackDecoder::exhausted() const
{
    core::MutexLock lock(mutex_);
    return !pending_ && ended_ && queue_.empty();
}

void PlaybackDecoder::carryOut(const Command& command)
{
    Landing landing{command.id, std::nullopt};
    if (!command.isStep) {
        landing.frame = source_->seek(command.time, command.before, command.after);
    } else {
        std::int64_t from =
            command.fromPts ? *command.fromPts : source_->ticksOf(command.time, Rounding::towardNegativeInfinity);
        std::int64_t target = source_->stepTarget(from, command.count);
        {
            // A step forward usually finds its frame already decoded.
            core::MutexLock lock(mutex_);
            auto queued = std::find_if(queue_.begin(), queue_.end(),
                                       [target](const PlaybackFrame& f) { return f.pts == target; });
            if (queued != queue_.end() && !pending_) {
                landing.frame = *queued;
                queue_.erase(queue_.begin(), queued + 1);
            } else {
                queue_.clear();
            }
        }
        if (!landing.frame) landing.frame = source_->frameAt(target);
    }
    {
        core::MutexLock lock(mutex_);
        if (pending_) return;  // replaced while it ran: the newer command speaks for both
        if (!landing.frame) ended_ = true;
        takenSinceLanding_ = false;
    }
    landed_(std::move(landing));
}

void PlaybackDecoder::run()
{
    core::MutexLock lock(mutex_);
    for (;;) {
        const auto decodesAhead = [this]()
                                      REQUIRES(mutex_) { return source_ && !ended_ && queue_.size() < queueLength_; };
        // Frames before those kept only while paused: playback takes frames off the queue.
        const auto decodesEarlier = [this]() REQUIRES(mutex_) {
            return source_ && !takenSinceLanding_ && source_->wantsEarlierFrames();
        };
        wake_.wait(lock, [&]() REQUIRES(mutex_) {
            return stopping_ || pending_ || decodesAhead() || decodesEarlier() || closeWhenIdle_;
        });
        if (stopping_) return;
        if (pending_) {
            Command command = std::move(*pending_);
            pending_.reset();
            // A step looks for its target among the frames ahead before they go.
            if (!command.isStep) queue_.clear();
            lock.unlock();
            if (source_)
                carryOut(command);
            else
                landed_({command.id, std::nullopt});
            lock.lock();
            continue;
        }
        if (!decodesAhead() && decodesEarlier()) {
            // Idle while the user steps back: the frames before those kept, before they are asked for.
            lock.unlock();
            source_->decodeEarlier([this] {
                core::MutexLock stopLock(mutex_);
                return stopping_ || pending_.has_value() || takenSinceLanding_;
            });
            lock.lock();
            continue;
        }
        if (!decodesAhead()) {
            // Nothing left to do, and asked to give the decoders' memory back.
            closeWhenIdle_ = false;
            lock.unlock();
            if (source_) source_->closeDecoders();
            lock.lock();
            continue;
        }
        lock.unlock();
        std::optional<PlaybackFrame> frame = source_->next();
        lock.lock();
        if (pending_) continue;  // decoded for a position that no longer holds
        if (frame)
            queue_.push_back(std::move(*frame));
        else
            ended_ = true;
    }
}

}  // namespace media::detail
