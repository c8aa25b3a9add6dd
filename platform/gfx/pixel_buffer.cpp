#include "platform/gfx/pixel_buffer.h"

#include "platform/core/mutex.h"

namespace gfx {

namespace {

// Rows start on 64-byte boundaries, as video code expects.
constexpr int rowAlignment = 64;
constexpr std::int64_t maximumBytes = std::int64_t(1) << 31;

int alignedRowBytes(int width) { return (width * 4 + rowAlignment - 1) / rowAlignment * rowAlignment; }

}  // namespace

// Memory of released buffers, waiting for the pool's next buffer. Buffers may be released on any thread.
struct PixelBuffer::Recycler {
    core::Mutex mutex;  // guards the free memory
    std::vector<std::vector<std::uint8_t>> free GUARDED_BY(mutex);
};

PixelBuffer::PixelBuffer(const PixelBufferAttributes& attributes, int bytesPerRow, std::vector<std::uint8_t> memory,
                         std::weak_ptr<Recycler> recycler)
    : attributes_(attributes), bytesPerRow_(bytesPerRow), memory_(std::move(memory)), recycler_(std::move(recycler))
{
}

PixelBuffer::~PixelBuffer()
{
    if (auto recycler = recycler_.lock()) {
        core::MutexLock lock(recycler->mutex);
        recycler->free.push_back(std::move(memory_));
    }
}

void PixelBuffer::unlock()
{
    if (lockCount_ > 0) --lockCount_;
}

PixelBufferPool::PixelBufferPool(const PixelBufferAttributes& attributes)
    : attributes_(attributes), bytesPerRow_(alignedRowBytes(attributes.width)),
      recycler_(std::make_shared<PixelBuffer::Recycler>())
{
}

std::shared_ptr<PixelBufferPool> PixelBufferPool::create(const PixelBufferAttributes& attributes)
{
    if (attributes.width <= 0 || attributes.height <= 0 || attributes.width > (1 << 24)) return nullptr;
    if (std::int64_t(alignedRowBytes(attributes.width)) * attributes.height > maximumBytes) return nullptr;
    return core::make<PixelBufferPool>(attributes);
}

std::shared_ptr<PixelBuffer> PixelBufferPool::createPixelBuffer()
{
    std::vector<std::uint8_t> memory;
    {
        core::MutexLock lock(recycler_->mutex);
        if (!recycler_->free.empty()) {
            memory = std::move(recycler_->free.back());
            recycler_->free.pop_back();
        }
    }
    if (memory.empty()) memory.assign(std::size_t(bytesPerRow_) * std::size_t(attributes_.height), 0);
    return std::shared_ptr<PixelBuffer>(new PixelBuffer(attributes_, bytesPerRow_, std::move(memory), recycler_));
}

}  // namespace gfx
