#include "platform/media/detail/decoder_pool.h"

namespace media::detail {

DecoderPool::DecoderPool(std::string path, int streamIndex, AVRational timeBase, std::int64_t firstPts,
                         int threads, std::size_t capacity)
    : path_(std::move(path)), streamIndex_(streamIndex), timeBase_(timeBase), firstPts_(firstPts), threads_(threads),
      capacity_(capacity)
{
}

std::unique_ptr<PooledDecoder> DecoderPool::take(std::int64_t target)
{
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            // The decoder that reaches the target by decoding the fewest frames, else the least recently used.
            auto best = idle_.begin();
            std::optional<std::int64_t> bestPosition;
            for (auto it = idle_.begin(); it != idle_.end(); ++it) {
                VideoDecoder& candidate = *(*it)->decoder;
                if (!candidate.canReachByDecoding(target))
                    continue;
                std::int64_t position = *candidate.position();
                if (!bestPosition || position > *bestPosition) {
                    best = it;
                    bestPosition = position;
                }
            }
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
