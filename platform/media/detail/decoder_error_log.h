// The errors FFmpeg's decoders log while they decode, counted for each decoding context that asks: some decoders
// conceal damage without an error code or a flag on the frame, and say so only there. The count covers the
// copies of the context that frame threads decode in (they share its opaque pointer). Made and read by the
// decoder's thread; counted on whichever thread logs.
#pragma once

#include "platform/media/detail/ffmpeg.h"

#include <atomic>
#include <cstdarg>
#include <cstdint>

namespace media::detail {

class DecoderErrorLog {
public:
    // Counts the errors logged for the context from now on, until the log goes; takes the context's opaque pointer.
    explicit DecoderErrorLog(AVCodecContext* context);
    ~DecoderErrorLog();
    DecoderErrorLog(const DecoderErrorLog&) = delete;
    DecoderErrorLog& operator=(const DecoderErrorLog&) = delete;

    // The errors logged so far.
    std::uint64_t count() const { return count_.load(std::memory_order_acquire); }

private:
    static void log(void* object, int level, const char* format, va_list arguments);

    std::atomic<std::uint64_t> count_{0};
};

}  // namespace media::detail
