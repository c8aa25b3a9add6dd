#include "platform/media/detail/ffmpeg.h"

#include <algorithm>
#include <array>
#include <limits>
#include <mutex>
#include <string_view>

namespace media::detail {

FormatContextPtr openFormat(const std::string& path, int* error)
{
    // The layer prints nothing: FFmpeg's own diagnostics are silenced.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
    AVFormatContext* raw = nullptr;
    const int opened = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (error) *error = opened < 0 ? opened : 0;
    return FormatContextPtr(opened < 0 ? nullptr : raw);
}

FormatContextPtr openInput(const std::string& path, int* error)
{
    int ignored = 0;
    int& failure = error ? *error : ignored;
    FormatContextPtr context = openFormat(path, &failure);
    if (!context) return nullptr;
    failure = avformat_find_stream_info(context.get(), nullptr);
    if (failure < 0) return nullptr;
    failure = 0;
    return context;
}

bool isStillImageFormat(const AVInputFormat* format)
{
    const std::string_view name = format ? format->name : "";
    return name == "image2" || name.ends_with("_pipe");
}

bool isTextFormat(const AVInputFormat* format)
{
    static constexpr std::array<std::string_view, 5> textReaders{"tty", "bin", "xbin", "adf", "idf"};
    const std::string_view name = format ? format->name : "";
    return std::find(textReaders.begin(), textReaders.end(), name) != textReaders.end();
}

bool isMovieFormat(const AVInputFormat* format)
{
    return format && !isStillImageFormat(format) && !isTextFormat(format);
}

int movieVideoStream(const AVFormatContext* format)
{
    int first = -1;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO || (stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            continue;
        if (stream->disposition & AV_DISPOSITION_DEFAULT) return int(i);
        if (first < 0) first = int(i);
    }
    return first;
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
