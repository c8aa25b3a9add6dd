#include "platform/media/detail/ffmpeg.h"

#include <limits>
#include <mutex>

namespace media::detail {

FormatContextPtr openInput(const std::string& path, int* error)
{
    // The layer prints nothing: FFmpeg's own diagnostics are silenced.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
    int ignored = 0;
    int& failure = error ? *error : ignored;
    AVFormatContext* raw = nullptr;
    failure = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (failure < 0) return nullptr;
    FormatContextPtr context(raw);
    failure = avformat_find_stream_info(context.get(), nullptr);
    if (failure < 0) return nullptr;
    failure = 0;
    return context;
}

Time timeFromTicks(std::int64_t ticks, AVRational timeBase)
{
    if (timeBase.num <= 0 || timeBase.den <= 0) return Time::invalid();
    return multiplyByRatio(Time::make(ticks, timeBase.den), timeBase.num, 1);
}

std::int64_t ticksFromTime(const Time& t, AVRational timeBase, Rounding rounding)
{
    using Int128 = __int128;
    Int128 num = Int128(t.value) * timeBase.den;
    Int128 den = Int128(t.timescale) * timeBase.num;
    Int128 q = num / den, r = num % den;
    if (r != 0) {
        bool negative = (num < 0) != (den < 0);
        switch (rounding) {
        case Rounding::towardNegativeInfinity:
            if (negative) --q;
            break;
        case Rounding::towardPositiveInfinity:
            if (!negative) ++q;
            break;
        case Rounding::awayFromZero:
            q += negative ? -1 : 1;
            break;
        case Rounding::towardZero:
            break;
        case Rounding::halfAwayFromZero:
            if (2 * (r < 0 ? -r : r) >= (den < 0 ? -den : den)) q += negative ? -1 : 1;
            break;
        }
    }
    constexpr Int128 low = std::numeric_limits<std::int64_t>::min() / 2;
    constexpr Int128 high = std::numeric_limits<std::int64_t>::max() / 2;
    return std::int64_t(q < low ? low : q > high ? high : q);
}

double sampleAspect(const AVStream* stream, const AVFrame* frame)
{
    // FFmpeg's own rule; it only reads the stream and the frame.
    const AVRational r =
        av_guess_sample_aspect_ratio(nullptr, const_cast<AVStream*>(stream), const_cast<AVFrame*>(frame));
    return r.num > 0 && r.den > 0 ? av_q2d(r) : 1;
}

}  // namespace media::detail
