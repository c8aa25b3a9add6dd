// GIF files through giflib: the first frame of a file, and animated GIF89a files whose frames get their own
// palette of at most 256 colours from libimagequant. Internal to the layer.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/core/data.h"
#include "platform/gfx/image.h"

namespace gfx::codec {

bool looksLikeGIF(const core::Data& data);
// The first frame on the logical screen, transparent where it does not cover it.
ImageRef decodeGIF(const core::Data& data);

// Writes an animated GIF89a frame by frame, every frame of the first one's size, with a NETSCAPE2.0 loop count
// when one is given (0 = for ever); pixels with alpha below 128 are transparent. Each frame is reduced to a
// palette of its own on a thread of its own while the next ones come, and its bytes go to the sink, in order,
// as soon as it is ready: at most `parallel` frames are held at once, whatever the number of frames. Serves
// one thread at a time.
class GIFEncoder {
public:
    // Takes the next bytes of the file; false when it cannot, which fails the encoding.
    using Sink = std::function<bool(const core::Data& bytes)>;

    GIFEncoder(Sink sink, std::optional<int> loopCount);
    // Waits for the frames still being reduced; an unfinished file stays unfinished.
    ~GIFEncoder();
    GIFEncoder(const GIFEncoder&) = delete;
    GIFEncoder& operator=(const GIFEncoder&) = delete;

    // Adds a frame shown for `delay` hundredths of a second (0 to 65535); may wait for an earlier frame to be
    // written. False once anything failed: a null image, a size unlike the first frame's or beyond 65535, a
    // frame that cannot be reduced, the sink refusing.
    [[nodiscard]] bool add(const ImageRef& image, int delay);
    // Writes the frames still held and the file's end; false when anything failed or no frame was added.
    [[nodiscard]] bool finish();
    // How many frames are in the sink's hands.
    std::size_t framesWritten() const;

    // How many frames are reduced at once (and held) by default: the processors, at most 3 (each holds some
    // 50 MB for a full-HD frame).
    static std::size_t defaultParallel();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace gfx::codec
