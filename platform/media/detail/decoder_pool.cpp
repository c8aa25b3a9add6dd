#include "platform/media/detail/decoder_pool.h"

#include <algorithm>

namespace media::detail {

DecoderPool::DecoderPool(std::string path, int streamIndex, AVRational timeBase, std::int64_t firstPts,
                         int threads, std::size_t capacity)
    : path_(std::move(path)), streamIndex_(streamIndex), timeBase_(timeBase), firstPts_(firstPts), threads_(threads),
      capacity_(capacity)
{
}

std::size_t DecoderPool::capacityFor(int width, int height)
{
    constexpr double fullHD = 1920.0 * 1088.0;
    double pixels = std::max(1.0, double(width) * double(height));
    return std::size_t(std::clamp(4.0 * fullHD / pixels, 1.0, 4.0));
}

std::unique_ptr<PooledDecoder> DecoderPool::take(std::int64_t target)
{
    {
        std::lock_guard lock(mutex_);
        // The decoder that reaches the target by decoding the fewest frames.
        auto best = idle_.end();
        for (auto it = idle_.begin(); it != idle_.end(); ++it) {
            VideoDecoder& candidate = *(*it)->decoder;
            if (candidate.canReachByDecoding(target) &&
                (best == idle_.end() || *candidate.position() > *(*best)->decoder->position()))
                best = it;
        }
        // Else the least recently used one seeks: every opened decoder holds its frames and threads.
        if (best == idle_.end() && !idle_.empty())
            best = idle_.begin();
        if (best != idle_.end()) {
            auto taken = std::move(*best);
            idle_.erase(best);
            return taken;
        }
    }
    auto decoder = VideoDecoder::open(path_, streamIndex_, firstPts_, threads_);
    if (!decoder)
        return nullptr;
    auto pooled = std::make_unique<PooledDecoder>();
    pooled->decoder = std::move(decoder);
    return pooled;
}

void DecoderPool::give(std::unique_ptr<PooledDecoder> decoder)
{
    std::lock_guard lock(mutex_);
    idle_.push_back(std::move(decoder));
    if (idle_.size() > capacity_)
        idle_.erase(idle_.begin());
}

}  // namespace media::detail
