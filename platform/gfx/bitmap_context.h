// A drawing context over a bitmap of 8-bit RGB pixels: its own memory (starting transparent black), or
// memory someone else holds, whose pixels are 32-bit big-endian words: bytes A (or unused), R, G, B.
// makeImage() takes a snapshot. Serves one thread at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/gfx/context.h"

namespace gfx {

// How a pixel holds alpha, by its stored code: premultiplied first, or none with the first byte unused.
enum class AlphaInfo { premultipliedFirst = 2, noneSkipFirst = 6 };

class BitmapContext : public Context {
public:
    // Null when a side is not positive or the bitmap would be unreasonably large.
    static std::shared_ptr<BitmapContext> create(int width, int height, AlphaInfo alphaInfo);
    // Draws into the memory at `data` (bytesPerRow at least width × 4); what it holds is the starting
    // picture, and the drawing reaches it at flush() and when the context goes. Null for a zero size or a
    // row length too short.
    static std::shared_ptr<BitmapContext> wrap(std::uint8_t* data, int width, int height, int bytesPerRow,
                                               AlphaInfo alphaInfo);
    ~BitmapContext() override;

    int width() const;
    int height() const;
    AlphaInfo alphaInfo() const;
    // The pixels drawn so far; opaque for noneSkipFirst.
    ImageRef makeImage() const;
    // Copies the drawing into wrapped memory; nothing for a context with its own memory.
    void flush();

    struct Storage;
    explicit BitmapContext(std::unique_ptr<Storage> storage);

private:
    std::unique_ptr<Storage> storage_;
};

}  // namespace gfx
