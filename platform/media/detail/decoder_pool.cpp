#include "platform/media/detail/decoder_pool.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace media::detail {

namespace {

// How many idle decoders of pictures this large a pool keeps: 4 up to 1080p, fewer for larger ones.
std::size_t capacityFor(int width, int height)
{
    constexpr double fullHD = 1920.0 * 1088.0;
    double pixels = std::max(1.0, double(width) * double(height));
    return std::size_t(std::clamp(4.0 * fullHD / pixels, 1.0, 4.0));
}

}  // namespace

DecoderPool::DecoderPool(std::string path, int streamIndex, AVRational timeBase, std::int64_t firstPts, int width,
                         int height)
    : path_(std::move(path)), streamIndex_(streamIndex), timeBase_(timeBase), firstPts_(firstPts), width_(width),
      height_(height), capacity_(capacityFor(width, height))
{
}

std::unique_ptr<VideoDecoder> DecoderPool::openDecoder() const { return openDecoder(decoderThreads(width_, height_)); }

std::unique_ptr<VideoDecoder> DecoderPool::openDecoder(int threads) const
{
    return VideoDecoder::open(path_, streamIndex_, firstPts_, threads);
}

std::vector<std::int64_t> DecoderPool::keyFrames()
{
    {
        core::MutexLock lock(mutex_);
        if (keyFramesRead_ || !keyFrames_.empty()) return keyFrames_;
    }
    const std::unique_ptr<PacketReader> reader = PacketReader::open(path_, streamIndex_);
    std::vector<std::int64_t> keys = reader ? reader->indexedKeyFrames() : std::vector<std::int64_t>{};
    core::MutexLock lock(mutex_);
    if (keyFrames_.empty()) keyFrames_ = std::move(keys);
    keyFramesRead_ = true;
    return keyFrames_;
}

bool DecoderPool::busyShortlyBefore(std::int64_t target) const
{
    auto after = busyTargets_.upper_bound(target);
    if (after == busyTargets_.begin()) return false;
    const std::int64_t nearest = *std::prev(after);
    auto key = std::upper_bound(keyFrames_.begin(), keyFrames_.end(), target);
    if (key != keyFrames_.begin()) return *std::prev(key) <= nearest;
    const std::int64_t twoSeconds = timeBase_.num > 0 ? 2 * std::int64_t(timeBase_.den) / timeBase_.num : 0;
    return target - nearest <= twoSeconds;
}

std::unique_ptr<PooledDecoder> DecoderPool::lend(std::unique_ptr<PooledDecoder> decoder, std::int64_t target)
{
    decoder->target = target;
    busyTargets_.insert(target);
    return decoder;
}

bool DecoderPool::wantedByWaiter(const VideoDecoder& decoder, std::int64_t below) const
{
    const std::optional<std::int64_t> position = decoder.position();
    if (!position) return false;
    for (auto it = waitingTargets_.lower_bound(*position); it != waitingTargets_.end() && *it < below; ++it)
        if (decoder.canReachByDecoding(*it)) return true;
    return false;
}

std::unique_ptr<PooledDecoder> DecoderPool::take(std::int64_t target)
{
    {
        core::MutexLock lock(mutex_);
        for (;;) {
            // The decoder that reaches the target by decoding the fewest frames.
            auto best = idle_.end();
            for (auto it = idle_.begin(); it != idle_.end(); ++it) {
                VideoDecoder& candidate = *(*it)->decoder;
                if (candidate.canReachByDecoding(target) &&
                    (best == idle_.end() || *candidate.position() > *(*best)->decoder->position()))
                    best = it;
            }
            // Grabs waiting for an earlier time on the way go first (the wakeup order is anyone's): taken
            // for this later time, the decoder would leave them behind to decode the same frames again.
            const bool yields = best != idle_.end() && wantedByWaiter(*(*best)->decoder, target);
            if (yields || (best == idle_.end() && busyShortlyBefore(target))) {
                waitingTargets_.insert(target);
                given_.wait(lock);
                waitingTargets_.erase(waitingTargets_.find(target));
                continue;
            }
            // Else the least recently used one that no waiting grab is headed for seeks: every opened decoder
            // holds its frames and threads.
            if (best == idle_.end())
                best = std::find_if(idle_.begin(), idle_.end(), [&](const auto& pooled) REQUIRES(mutex_) {
                    return !wantedByWaiter(*pooled->decoder, std::numeric_limits<std::int64_t>::max());
                });
            if (best == idle_.end()) break;
            auto taken = std::move(*best);
            idle_.erase(best);
            // Grabs that stood back for this one may now take the decoders it left.
            if (!waitingTargets_.empty()) given_.notify_all();
            return lend(std::move(taken), target);
        }
        // Counted as busy while it opens, so that grabs shortly after wait for it.
        busyTargets_.insert(target);
    }
    if (auto decoder = openDecoder()) {
        auto pooled = std::make_unique<PooledDecoder>();
        pooled->decoder = std::move(decoder);
        pooled->target = target;
        return pooled;
    }
    core::MutexLock lock(mutex_);
    busyTargets_.erase(busyTargets_.find(target));
    given_.notify_all();
    return nullptr;
}

void DecoderPool::give(std::unique_ptr<PooledDecoder> decoder)
{
    std::unique_ptr<PooledDecoder> closing;  // closed outside the lock
    core::MutexLock lock(mutex_);
    if (decoder->target) {
        busyTargets_.erase(busyTargets_.find(*decoder->target));
        decoder->target.reset();
    }
    if (keyFrames_.empty()) keyFrames_ = decoder->decoder->indexedKeyFrames();
    if (keepOnlyWhileHeld_ && holds_ == 0) {
        closing = std::move(decoder);
    } else {
        idle_.push_back(std::move(decoder));
        if (idle_.size() > capacity_) idle_.erase(idle_.begin());
    }
    given_.notify_all();
}

void DecoderPool::keepOnlyWhileHeld()
{
    std::vector<std::unique_ptr<PooledDecoder>> closing;
    core::MutexLock lock(mutex_);
    keepOnlyWhileHeld_ = true;
    if (holds_ == 0) closing.swap(idle_);
}

void DecoderPool::closeIdle()
{
    std::vector<std::unique_ptr<PooledDecoder>> closing;  // closed outside the lock
    core::MutexLock lock(mutex_);
    closing.swap(idle_);
}

void DecoderPool::hold()
{
    core::MutexLock lock(mutex_);
    ++holds_;
}

void DecoderPool::unhold()
{
    std::vector<std::unique_ptr<PooledDecoder>> closing;
    core::MutexLock lock(mutex_);
    if (--holds_ == 0 && keepOnlyWhileHeld_) closing.swap(idle_);
}

}  // namespace media::detail
