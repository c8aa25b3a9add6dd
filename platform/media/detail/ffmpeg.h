// FFmpeg's headers for the media layer's own sources, with owning pointers for its objects and the exact
// conversions between stream ticks and media::Time. Never included by a public header.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/cpu.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "platform/media/time.h"

#include <memory>

namespace media::detail {

struct FormatContextCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecContextFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsFreer {
    void operator()(SwsContext* c) const { sws_freeContext(c); }
};
// A muxer's context and the file it opened.
struct OutputContextCloser {
    void operator()(AVFormatContext* c) const
    {
        if (c && c->pb && !(c->oformat->flags & AVFMT_NOFILE)) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};

using FormatContextPtr = std::unique_ptr<AVFormatContext, FormatContextCloser>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using SwsContextPtr = std::unique_ptr<SwsContext, SwsFreer>;
using OutputContextPtr = std::unique_ptr<AVFormatContext, OutputContextCloser>;

// Opens the file for reading and reads its stream information; null when it is not a movie FFmpeg reads, and
// then `error`, when given, gets FFmpeg's error code.
FormatContextPtr openInput(const std::string& path, int* error = nullptr);
// Opens the file for reading, its header read but not its streams' data; null when it cannot, with FFmpeg's
// error code in `error` when given.
FormatContextPtr openFormat(const std::string& path, int* error = nullptr);

// Readers of still pictures (image2 and the "_pipe" readers of single images), and of text that they draw as
// pictures (terminal text and the binary-text formats): files they read are not movies.
bool isStillImageFormat(const AVInputFormat* format);
bool isTextFormat(const AVInputFormat* format);
// Neither of those.
bool isMovieFormat(const AVInputFormat* format);
// The movie's video stream: the one the file marks as default, else the first that is not cover art; -1 when
// there is none.
int movieVideoStream(const AVFormatContext* format);

// The width of a pixel over its height, as the asset, every grab and the player see it: the container's
// statement first, then the bitstream's (the frame's when one is given); 1 when neither states one.
double sampleAspect(const AVStream* stream, const AVFrame* frame = nullptr);

// ticks · timeBase seconds as an exact time.
Time timeFromTicks(std::int64_t ticks, AVRational timeBase);
// The numeric time in ticks of the time base, rounded as asked, kept within half the 64-bit range.
std::int64_t ticksFromTime(const Time& t, AVRational timeBase, Rounding rounding);

}  // namespace media::detail
