// Pixel buffers for video encoding and a pool that recycles them. A buffer's memory is reachable only
// between lock() and unlock(); rows may be padded, so walk them by bytesPerRow(). A buffer and its pool serve
// one thread at a time; a buffer may outlive its pool.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/object.h"

namespace gfx {

// Byte layouts of a pixel. argb32: bytes A, R, G, B in memory, whatever the machine's byte order.
enum class PixelFormat : std::uint32_t { argb32 = 32 };

struct PixelBufferAttributes {
    PixelFormat format = PixelFormat::argb32;
    int width = 0;
    int height = 0;
};

class PixelBufferPool;

class PixelBuffer {
public:
    ~PixelBuffer();
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;

    int width() const { return attributes_.width; }
    int height() const { return attributes_.height; }
    PixelFormat pixelFormat() const { return attributes_.format; }
    int bytesPerRow() const { return bytesPerRow_; }

    // Locks nest; each lock() needs its unlock().
    void lock() { ++lockCount_; }
    void unlock();
    bool isLocked() const { return lockCount_ > 0; }
    // The first byte of the top row while locked, else null.
    std::uint8_t* baseAddress() { return isLocked() ? memory_.data() : nullptr; }
    const std::uint8_t* baseAddress() const { return isLocked() ? memory_.data() : nullptr; }

private:
    friend class PixelBufferPool;
    struct Recycler;
    PixelBuffer(const PixelBufferAttributes& attributes, int bytesPerRow, std::vector<std::uint8_t> memory,
                std::weak_ptr<Recycler> recycler);

    PixelBufferAttributes attributes_;
    int bytesPerRow_;
    std::vector<std::uint8_t> memory_;
    std::weak_ptr<Recycler> recycler_;
    int lockCount_ = 0;
};

class PixelBufferPool : public core::Object {
public:
    // Null when a side is not positive or the buffer would be unreasonably large.
    static std::shared_ptr<PixelBufferPool> create(const PixelBufferAttributes& attributes);

    const PixelBufferAttributes& attributes() const { return attributes_; }
    // A buffer of the pool's attributes, reusing the memory of a released one when there is one; its
    // contents are then what that buffer left.
    std::shared_ptr<PixelBuffer> createPixelBuffer();

    explicit PixelBufferPool(const PixelBufferAttributes& attributes);

private:
    PixelBufferAttributes attributes_;
    int bytesPerRow_;
    std::shared_ptr<PixelBuffer::Recycler> recycler_;
};

}  // namespace gfx
