#include "platform/media/detail/video_decoder.h"

#include <algorithm>
#include <utility>

namespace media::detail {

namespace {

// Undecodable packets tolerated in a row before the stream counts as broken.
constexpr int maximumErrors = 64;
// How often a seek that lands past its target is retried further back.
constexpr int maximumBackoffs = 40;

}  // namespace

std::unique_ptr<VideoDecoder> VideoDecoder::open(const std::string& path, int streamIndex, std::int64_t firstPts,
                                                 int threads)
{
    std::unique_ptr<VideoDecoder> decoder(new VideoDecoder);
    decoder->format_ = openInput(path);
    AVFormatContext* format = decoder->format_.get();
    if (!format || streamIndex < 0 || unsigned(streamIndex) >= format->nb_streams)
        return nullptr;
    AVStream* stream = format->streams[streamIndex];
    if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
        return nullptr;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (int(i) != streamIndex)
            format->streams[i]->discard = AVDISCARD_ALL;

    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return nullptr;
    decoder->codec_.reset(avcodec_alloc_context3(codec));
    AVCodecContext* context = decoder->codec_.get();
    if (!context || avcodec_parameters_to_context(context, stream->codecpar) < 0)
        return nullptr;
    context->pkt_timebase = stream->time_base;
    context->thread_count = threads;
    context->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(context, codec, nullptr) < 0)
        return nullptr;

    decoder->packet_.reset(av_packet_alloc());
    decoder->current_.reset(av_frame_alloc());
    decoder->ahead_.reset(av_frame_alloc());
    if (!decoder->packet_ || !decoder->current_ || !decoder->ahead_)
        return nullptr;
    decoder->streamIndex_ = streamIndex;
    decoder->firstPts_ = firstPts;
    return decoder;
}

std::optional<std::int64_t> VideoDecoder::position() const
{
    if (!hasCurrent_)
        return std::nullopt;
    return current_->pts;
}

std::optional<std::int64_t> VideoDecoder::indexedKeyFrame(std::int64_t target) const
{
    AVStream* s = stream();
    int index = av_index_search_timestamp(s, target, AVSEEK_FLAG_BACKWARD);
    if (index < 0)
        return std::nullopt;
    const AVIndexEntry* entry = avformat_index_get_entry(s, index);
    if (!entry)
        return std::nullopt;
    return entry->timestamp;
}

std::vector<std::int64_t> VideoDecoder::indexedKeyFrames() const
{
    AVStream* s = stream();
    std::vector<std::int64_t> keys;
    const int count = avformat_index_get_entries_count(s);
    for (int i = 0; i < count; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(s, i);
        if (entry && (entry->flags & AVINDEX_KEYFRAME))
            keys.push_back(entry->timestamp);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

bool VideoDecoder::canReachByDecoding(std::int64_t target) const
{
    if (!hasCurrent_ || keyFrameAlone_ || current_->pts > target)
        return false;
    if ((hasAhead_ && ahead_->pts > target) || drained_)
        return true;
    if (auto key = indexedKeyFrame(target)) {
        if (*key <= current_->pts)
            return true;
        // The index holds decoding times: a target within the reordering delay after a key frame's entry
        // may still lie before that key frame on screen, in the stretch before it. A seek there would land
        // past the target and have to go back a whole stretch; a decoder already in that stretch reaches it
        // by decoding on.
        if (target - *key >= reorderTicks())
            return false;
        const auto previous = indexedKeyFrame(*key - 1);
        return previous && *previous <= current_->pts;
    }
    // Without an index, a short way forward still beats a seek.
    AVRational base = stream()->time_base;
    std::int64_t twoSeconds = base.num > 0 ? 2 * std::int64_t(base.den) / base.num : 0;
    return target - current_->pts <= twoSeconds;
}

std::int64_t VideoDecoder::reorderTicks() const
{
    const AVStream* s = stream();
    AVRational rate = s->avg_frame_rate.num > 0 ? s->avg_frame_rate : s->r_frame_rate;
    if (rate.num <= 0 || rate.den <= 0 || s->time_base.num <= 0)
        return 0;
    const std::int64_t frameTicks = av_rescale_q(1, av_inv_q(rate), s->time_base);
    return (std::int64_t(codec_->has_b_frames) + 1) * std::max<std::int64_t>(1, frameTicks);
}

std::int64_t VideoDecoder::ptsOf(const AVFrame* frame) const
{
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
        return frame->best_effort_timestamp;
    if (frame->pts != AV_NOPTS_VALUE)
        return frame->pts;
    if (lastPts_ != AV_NOPTS_VALUE)
        return lastPts_ + std::max<std::int64_t>(1, frame->pkt_duration);
    return firstPts_;
}

bool VideoDecoder::seekBefore(std::int64_t target)
{
    avcodec_flush_buffers(codec_.get());
    av_frame_unref(current_.get());
    av_frame_unref(ahead_.get());
    hasCurrent_ = hasAhead_ = drained_ = keyFrameAlone_ = false;
    lastPts_ = AV_NOPTS_VALUE;
    sentPts_.clear();
    AVFormatContext* format = format_.get();
    if (av_seek_frame(format, streamIndex_, target, AVSEEK_FLAG_BACKWARD) >= 0)
        return true;
    if (avformat_seek_file(format, streamIndex_, INT64_MIN, target, target, 0) >= 0)
        return true;
    return av_seek_frame(format, -1, 0, AVSEEK_FLAG_BYTE) >= 0;
}

bool VideoDecoder::decodeAhead()
{
    AVCodecContext* context = codec_.get();
    int errors = 0;
    for (;;) {
        int result = avcodec_receive_frame(context, ahead_.get());
        if (result == 0) {
            ahead_->pts = ptsOf(ahead_.get());
            lastPts_ = ahead_->pts;
            hasAhead_ = true;
            return true;
        }
        if (result == AVERROR_EOF || drained_)
            return false;
        if (result != AVERROR(EAGAIN)) {
            if (++errors > maximumErrors)
                return false;
            continue;
        }
        if (av_read_frame(format_.get(), packet_.get()) < 0) {
            drained_ = true;
            avcodec_send_packet(context, nullptr);
            continue;
        }
        if (packet_->stream_index == streamIndex_) {
            context->skip_frame = skippable(packet_->pts) ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
            if (packet_->pts != AV_NOPTS_VALUE)
                sentPts_.insert(packet_->pts);
            result = avcodec_send_packet(context, packet_.get());
            if (result < 0 && result != AVERROR(EAGAIN) && ++errors > maximumErrors) {
                av_packet_unref(packet_.get());
                return false;
            }
        }
        av_packet_unref(packet_.get());
    }
}

void VideoDecoder::takeAhead()
{
    std::swap(current_, ahead_);
    av_frame_unref(ahead_.get());
    hasCurrent_ = true;
    hasAhead_ = false;
}

bool VideoDecoder::skippable(std::int64_t pts) const
{
    if (pts == AV_NOPTS_VALUE || skipBelow_ == AV_NOPTS_VALUE || pts >= skipBelow_)
        return false;
    auto later = sentPts_.upper_bound(pts);
    return later != sentPts_.end() && *later <= target_;
}

void VideoDecoder::aimAt(std::int64_t skipBelow, std::int64_t target)
{
    skipBelow_ = skipBelow;
    target_ = target;
    if (hasCurrent_)
        sentPts_.erase(sentPts_.begin(), sentPts_.lower_bound(current_->pts));
}

const AVFrame* VideoDecoder::nextFrame()
{
    aimAt(AV_NOPTS_VALUE, AV_NOPTS_VALUE);
    if (!hasAhead_ && !decodeAhead())
        return nullptr;
    takeAhead();
    return current_.get();
}

const AVFrame* VideoDecoder::frameAt(std::int64_t low, std::int64_t target, std::int64_t high, bool seekFirst)
{
    if (!seekFirst && canReachByDecoding(target)) {
        if (current_->pts >= low && current_->pts <= high)
            return current_.get();
    } else {
        seekBefore(target);
    }

    aimAt(std::min(low, target), target);
    AVRational base = stream()->time_base;
    std::int64_t backoff = std::max<std::int64_t>(1, base.num > 0 ? base.den / base.num : 1);
    int backoffs = 0;
    for (;;) {
        if (!hasAhead_ && !decodeAhead())
            return hasCurrent_ ? current_.get() : nullptr;
        std::int64_t pts = ahead_->pts;
        if (!hasCurrent_ && pts > target && pts > firstPts_ && backoffs < maximumBackoffs) {
            // The seek landed past the target (a sparse or inexact index): go further back.
            ++backoffs;
            std::int64_t earlier = target - backoff;
            backoff *= 2;
            seekBefore(std::max(earlier, firstPts_));
            continue;
        }
        if ((pts >= low && pts <= high) || (!hasCurrent_ && pts > high)) {
            takeAhead();
            return current_.get();
        }
        if (pts > high)
            return current_.get();
        takeAhead();
    }
}

const AVFrame* VideoDecoder::keyFrameAt(std::int64_t low, std::int64_t target, std::int64_t high)
{
    const AVFrame* frame = decodeKeyFrameAlone(target);
    if (frame && frame->pts >= low && frame->pts <= high)
        return frame;
    return frameAt(low, target, high, true);
}

const AVFrame* VideoDecoder::decodeKeyFrameAlone(std::int64_t target)
{
    if (!seekBefore(target))
        return nullptr;
    AVPacket* packet = packet_.get();
    for (;;) {
        if (av_read_frame(format_.get(), packet) < 0)
            return nullptr;
        if (packet->stream_index == streamIndex_)
            break;
        av_packet_unref(packet);
    }
    AVCodecContext* context = codec_.get();
    const bool key = packet->flags & AV_PKT_FLAG_KEY;
    context->skip_frame = AVDISCARD_DEFAULT;
    const int sent = key ? avcodec_send_packet(context, packet) : -1;
    av_packet_unref(packet);
    // From here on only a seek may feed the decoder.
    keyFrameAlone_ = true;
    if (sent < 0 || avcodec_send_packet(context, nullptr) < 0 || avcodec_receive_frame(context, current_.get()) < 0)
        return nullptr;
    if ((current_->flags & AV_FRAME_FLAG_CORRUPT) || current_->decode_error_flags) {
        av_frame_unref(current_.get());
        return nullptr;
    }
    current_->pts = ptsOf(current_.get());
    lastPts_ = current_->pts;
    hasCurrent_ = true;
    return current_->pts <= target ? current_.get() : nullptr;
}

}  // namespace media::detail
