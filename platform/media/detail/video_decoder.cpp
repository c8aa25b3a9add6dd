#include "platform/media/detail/video_decoder.h"

#include "platform/media/detail/tolerance.h"

#include <algorithm>
#include <utility>

namespace media::detail {

namespace {

// Undecodable packets tolerated in a row before the stream counts as broken.
constexpr int maximumErrors = 64;
// How often a seek whose first frame lies past its target starts at a key frame further back.
constexpr int maximumBackoffs = 8;
// How many frame durations the data may stop before the stream's stated end and still count as whole: the last
// frame's own duration (up to three in variable-rate movies), unknown to containers that do not store it.
constexpr std::int64_t wholeEndSlack = 4;

// The decoder concealed damage in the frame or made it up from missing references.
bool isDamaged(const AVFrame* frame)
{
    return (frame->flags & AV_FRAME_FLAG_CORRUPT) || frame->decode_error_flags != 0;
}

// Whether the set holds a value in (after, upTo].
bool holdsBetween(const std::set<std::int64_t>& values, std::int64_t after, std::int64_t upTo)
{
    auto it = values.upper_bound(after);
    return it != values.end() && *it <= upTo;
}

}  // namespace

std::unique_ptr<VideoDecoder> VideoDecoder::open(const std::string& path, int streamIndex, std::int64_t firstPts,
                                                 int threads)
{
    FormatContextPtr format = openInput(path);
    return format ? open(format, streamIndex, firstPts, threads) : nullptr;
}

std::unique_ptr<VideoDecoder> VideoDecoder::open(FormatContextPtr& format, int streamIndex, std::int64_t firstPts,
                                                 int threads)
{
    std::unique_ptr<VideoDecoder> decoder(new VideoDecoder);
    decoder->reader_ = PacketReader::open(format, streamIndex);
    if (!decoder->reader_) return nullptr;
    if (!decoder->openCodec(threads)) {
        format = decoder->reader_->releaseFormat();
        return nullptr;
    }
    decoder->firstPts_ = firstPts;
    return decoder;
}

bool VideoDecoder::openCodec(int threads)
{
    AVStream* stream = reader_->stream();
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return false;
    codec_.reset(avcodec_alloc_context3(codec));
    AVCodecContext* context = codec_.get();
    if (!context || avcodec_parameters_to_context(context, stream->codecpar) < 0) return false;
    context->pkt_timebase = stream->time_base;
    context->thread_count = threads;
    context->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    // Every check the decoders know, so that damage shows as an error rather than concealed.
    context->err_recognition =
        AV_EF_CRCCHECK | AV_EF_BITSTREAM | AV_EF_BUFFER | AV_EF_CAREFUL | AV_EF_COMPLIANT | AV_EF_AGGRESSIVE;
    errorLog_ = std::make_unique<DecoderErrorLog>(context);
    if (avcodec_open2(context, codec, nullptr) < 0) return false;
    packet_.reset(av_packet_alloc());
    current_.reset(av_frame_alloc());
    ahead_.reset(av_frame_alloc());
    return packet_ && current_ && ahead_;
}

std::optional<std::int64_t> VideoDecoder::position() const
{
    if (!hasCurrent_) return std::nullopt;
    return current_->pts;
}

bool VideoDecoder::canReachByDecoding(std::int64_t target) const
{
    if (!hasCurrent_ || keyFrameAlone_ || current_->pts > target) return false;
    if ((hasAhead_ && ahead_->pts > target) || drained_) return true;
    if (std::optional<std::int64_t> key = reader_->keyFrameAtOrBefore(target); key && *key > current_->pts) {
        // A seek throws away the frames in flight and starts the decoder from empty, which costs about two
        // frames per decoding thread: a key frame closer than that is cheaper to decode through.
        if (*key - current_->pts <= restartTicks()) return true;
        // An index may hold decoding times: a target within the reordering delay after a key frame's entry may
        // still lie before that key frame on screen, in the stretch before it. A seek there would land past the
        // target and have to go back a whole stretch; a decoder already in that stretch reaches it by decoding on.
        if (target - *key >= reorderTicks()) return false;
        const std::optional<std::int64_t> previous = reader_->keyFrameAtOrBefore(*key - 1);
        return previous && *previous <= current_->pts;
    }
    if (reader_->knowsKeyFramesUpTo(target)) return true;
    // Where the key frames are unknown, a short way forward still beats a seek.
    AVRational base = stream()->time_base;
    std::int64_t twoSeconds = base.num > 0 ? 2 * std::int64_t(base.den) / base.num : 0;
    return target - current_->pts <= twoSeconds;
}

std::int64_t VideoDecoder::frameTicks() const
{
    const AVStream* s = stream();
    AVRational rate = s->avg_frame_rate.num > 0 ? s->avg_frame_rate : s->r_frame_rate;
    if (rate.num <= 0 || rate.den <= 0 || s->time_base.num <= 0) return 0;
    return std::max<std::int64_t>(1, av_rescale_q(1, av_inv_q(rate), s->time_base));
}

std::int64_t VideoDecoder::decoderDelayTicks() const { return std::int64_t(codec_->has_b_frames) * frameTicks(); }

std::int64_t VideoDecoder::reorderTicks() const { return decoderDelayTicks() + frameTicks(); }

std::int64_t VideoDecoder::restartTicks() const
{
    return 2 * std::int64_t(std::max(1, codec_->thread_count)) * frameTicks();
}

std::int64_t VideoDecoder::ptsOf(const AVFrame* frame) const
{
    // Where packets carry decoding times only, a frame comes out as the decoder takes the packet its reordering
    // delay later, and keeps that packet's time: the frame is shown that many frames earlier.
    if (reader_->storesDecodingTimesOnly() && frame->pkt_dts != AV_NOPTS_VALUE)
        return frame->pkt_dts - decoderDelayTicks();
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE) return frame->best_effort_timestamp;
    if (frame->pts != AV_NOPTS_VALUE) return frame->pts;
    if (lastPts_ != AV_NOPTS_VALUE) return lastPts_ + std::max<std::int64_t>(1, frame->pkt_duration);
    // The first frame drained from the decoder after a seek would have come with the packet after the last one.
    if (reader_->storesDecodingTimesOnly() && sentDts_ != AV_NOPTS_VALUE)
        return sentDts_ + frameTicks() - decoderDelayTicks();
    return firstPts_;
}

bool VideoDecoder::seekBefore(std::int64_t target)
{
    avcodec_flush_buffers(codec_.get());
    av_frame_unref(current_.get());
    av_frame_unref(ahead_.get());
    hasCurrent_ = hasAhead_ = drained_ = keyFrameAlone_ = false;
    held_.clear();
    reported_.clear();
    lastSentPts_ = AV_NOPTS_VALUE;
    lastPts_ = sentDts_ = sentPtsMax_ = sentPtsMin_ = sentDtsMin_ = AV_NOPTS_VALUE;
    framesMissing_ = false;
    sentPts_.clear();
    sentDtsSet_.clear();
    keysSent_.clear();
    taintedUntilKey_ = false;
    awaited_.clear();
    damaged_.clear();
    // Errors the frames thrown away logged are none of the next frames'.
    errorsLogged();
    landing_ = reader_->seek(target, firstPts_);
    return landing_.has_value();
}

int VideoDecoder::send(AVPacket* packet)
{
    AVCodecContext* context = codec_.get();
    const std::int64_t pts = packet->pts;
    const bool skipped = skippable(pts);
    context->skip_frame = skipped ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
    if (packet->dts != AV_NOPTS_VALUE) {
        sentDtsMin_ = sentDtsMin_ == AV_NOPTS_VALUE ? packet->dts : std::min(sentDtsMin_, packet->dts);
        sentDts_ = sentDts_ == AV_NOPTS_VALUE ? packet->dts : std::max(sentDts_, packet->dts);
        sentDtsSet_.insert(packet->dts);
    }
    if (pts != AV_NOPTS_VALUE) {
        sentPtsMax_ = sentPtsMax_ == AV_NOPTS_VALUE ? pts : std::max(sentPtsMax_, pts);
        sentPtsMin_ = sentPtsMin_ == AV_NOPTS_VALUE ? pts : std::min(sentPtsMin_, pts);
        sentPts_[pts] = {std::max<std::int64_t>(0, packet->duration), ++sendCount_};
        if (packet->flags & AV_PKT_FLAG_KEY) {
            keysSent_.insert(sendCount_);
            taintedUntilKey_ = false;
        }
        if ((packet->flags & AV_PKT_FLAG_CORRUPT) || taintedUntilKey_)
            damaged_.insert(pts);
        else if (!skipped && !(packet->flags & AV_PKT_FLAG_DISCARD))
            awaited_.insert(pts);
    }
    lastSentPts_ = pts;
    const int result = avcodec_send_packet(context, packet);
    noteLoggedErrors();
    if (result < 0 && result != AVERROR(EAGAIN) && pts != AV_NOPTS_VALUE) {
        damaged_.insert(pts);
        awaited_.erase(pts);
        taintFrom(pts);
    }
    return result;
}

bool VideoDecoder::errorsLogged()
{
    const std::uint64_t count = errorLog_->count();
    const bool logged = count != errorsSeen_;
    errorsSeen_ = count;
    return logged;
}

void VideoDecoder::noteLoggedErrors()
{
    // Frame threads decode several packets at once: which one an error logged belongs to is unknown there.
    const bool frameThreads = (codec_->active_thread_type & FF_THREAD_FRAME) && codec_->thread_count > 1;
    if (!errorsLogged() || frameThreads || lastSentPts_ == AV_NOPTS_VALUE) return;
    // Decoding one packet at a time, the decoder works on the packet last sent.
    damaged_.insert(lastSentPts_);
    awaited_.erase(lastSentPts_);
    reported_.insert(lastSentPts_);
}

void VideoDecoder::taintFrom(std::int64_t pts)
{
    const auto damaged = sentPts_.find(pts);
    if (damaged == sentPts_.end()) return;
    const std::uint64_t order = damaged->second.order;
    const auto nextKey = keysSent_.upper_bound(order);
    for (const auto& [later, sent] : sentPts_)
        if (sent.order > order && (nextKey == keysSent_.end() || sent.order < *nextKey)) {
            damaged_.insert(later);
            awaited_.erase(later);
        }
    if (nextKey == keysSent_.end()) taintedUntilKey_ = true;
}

bool VideoDecoder::isReference(const AVFrame* frame) const
{
    // B-frames of the MPEG-1, MPEG-2 and MPEG-4 part 2 families are never referred to; other codecs may refer to any.
    const AVCodecID id = codec_->codec_id;
    const bool bNeverRefers = id == AV_CODEC_ID_MPEG1VIDEO || id == AV_CODEC_ID_MPEG2VIDEO || id == AV_CODEC_ID_MPEG4;
    return !(bNeverRefers && frame->pict_type == AV_PICTURE_TYPE_B);
}

bool VideoDecoder::decodeAhead()
{
    const std::size_t hold = std::size_t(reader_->displayReorder());
    if (hold == 0) return decodeNext();
    // Stored out of display order: the frame shown next is the earliest of those decoded, once as many frames as
    // may come out before it have been.
    while (held_.size() <= hold && decodeNext()) {
        FramePtr frame(av_frame_alloc());
        if (!frame) return false;
        av_frame_move_ref(frame.get(), ahead_.get());
        hasAhead_ = false;
        held_.emplace(frame->pts, std::move(frame));
    }
    if (held_.empty()) return false;
    av_frame_move_ref(ahead_.get(), held_.begin()->second.get());
    held_.erase(held_.begin());
    hasAhead_ = true;
    return true;
}

bool VideoDecoder::decodeNext()
{
    AVCodecContext* context = codec_.get();
    int errors = 0;
    for (;;) {
        int result = avcodec_receive_frame(context, ahead_.get());
        if (result == 0) {
            const std::int64_t pts = ptsOf(ahead_.get());
            lastPts_ = pts;
            awaited_.erase(pts);
            interlaced_ = interlaced_ || ahead_->interlaced_frame;
            noteLoggedErrors();
            if (isDamaged(ahead_.get()) || damaged_.count(pts)) {
                // The frames decoded from a damaged one carry its damage on, up to the next key frame.
                const bool reported = reported_.erase(pts) > 0;
                if ((reported || !damaged_.count(pts)) && isReference(ahead_.get())) taintFrom(pts);
                damaged_.insert(pts);
                av_frame_unref(ahead_.get());
                continue;
            }
            ahead_->pts = pts;
            hasAhead_ = true;
            return true;
        }
        if (result == AVERROR_EOF || drained_) return false;
        if (result != AVERROR(EAGAIN)) {
            if (++errors > maximumErrors) return false;
            continue;
        }
        if (!reader_->read(packet_.get())) {
            drained_ = true;
            framesMissing_ = missingBetween(hasCurrent_ ? current_->pts : farPast, farFuture);
            avcodec_send_packet(context, nullptr);
            continue;
        }
        result = send(packet_.get());
        av_packet_unref(packet_.get());
        if (result < 0 && result != AVERROR(EAGAIN) && ++errors > maximumErrors) return false;
    }
}

void VideoDecoder::takeAhead()
{
    std::swap(current_, ahead_);
    av_frame_unref(ahead_.get());
    hasCurrent_ = true;
    hasAhead_ = false;
    // What went missing before the frame handed out no longer matters.
    awaited_.erase(awaited_.begin(), awaited_.upper_bound(current_->pts));
    damaged_.erase(damaged_.begin(), damaged_.upper_bound(current_->pts));
}

bool VideoDecoder::skippable(std::int64_t pts) const
{
    if (pts == AV_NOPTS_VALUE || skipBelow_ == AV_NOPTS_VALUE || pts >= skipBelow_) return false;
    auto later = sentPts_.upper_bound(pts);
    return later != sentPts_.end() && later->first <= target_;
}

void VideoDecoder::aimAt(std::int64_t skipBelow, std::int64_t target)
{
    skipBelow_ = skipBelow;
    target_ = target;
    if (hasCurrent_) {
        sentPts_.erase(sentPts_.begin(), sentPts_.lower_bound(current_->pts));
        if (const std::optional<std::int64_t> delay = reorderDelay())
            sentDtsSet_.erase(sentDtsSet_.begin(), sentDtsSet_.lower_bound(current_->pts - *delay));
    }
}

bool VideoDecoder::missingBetween(std::int64_t after, std::int64_t upTo) const
{
    const std::optional<std::int64_t> delay = reorderDelay();
    if (!reader_->endsWithItsData() || !delay || sentDts_ == AV_NOPTS_VALUE) return false;
    // A frame shown by the latest decoding time sent was decoded before it: its packet came.
    upTo = drained_ ? upTo : std::min(upTo, sentDts_);
    // Where frame durations alternate (1501 and 1502 ticks at 59.94 frames per second), a decoding time plus the
    // delay lands a tick or so off the frame's display time: a frame counts as come within half a frame of it,
    // and one that would be shown only just by upTo is not counted missing.
    const std::int64_t frame = std::max<std::int64_t>(1, frameTicks());
    const std::int64_t half = frame / 2, slack = std::max<std::int64_t>(1, frame / 16);
    for (auto dts = sentDtsSet_.upper_bound(after - *delay); dts != sentDtsSet_.end() && *dts + *delay + slack <= upTo;
         ++dts) {
        const std::int64_t shown = *dts + *delay;
        const auto near = sentPts_.lower_bound(shown - half);
        if (near == sentPts_.end() || near->first > shown + half) return true;
    }
    return false;
}

const AVFrame* VideoDecoder::holderOf(std::int64_t target) const
{
    if (!hasCurrent_) return nullptr;
    // Field pictures come in pairs of packets for one frame: only damage counts there.
    const std::int64_t after = current_->pts;
    if (holdsBetween(damaged_, after, target) || (!interlaced_ && holdsBetween(awaited_, after, target)) ||
        missingBetween(after, target))
        return nullptr;
    // Past the data read, a frame between this one and the target may be missing: only the frame answers for
    // its own duration, when its packet states it.
    const auto sent = sentPts_.find(after);
    const bool withinOwnDuration = sent != sentPts_.end() && target - after < sent->second.duration;
    if (!withinOwnDuration && target != after && target > readThrough() && endsShort()) return nullptr;
    return current_.get();
}

std::optional<std::int64_t> VideoDecoder::reorderDelay() const
{
    if (sentPtsMin_ == AV_NOPTS_VALUE || sentDtsMin_ == AV_NOPTS_VALUE) return std::nullopt;
    return sentPtsMin_ - sentDtsMin_;
}

bool VideoDecoder::endsShort() const
{
    if (!drained_ || sentPtsMax_ == AV_NOPTS_VALUE) return false;
    if (reader_->endsWithItsData()) return framesMissing_;
    const std::optional<std::int64_t> end = reader_->statedEnd();
    return end && sentPtsMax_ + wholeEndSlack * std::max<std::int64_t>(1, frameTicks()) < *end;
}

std::int64_t VideoDecoder::readThrough() const
{
    if (sentDts_ != AV_NOPTS_VALUE) return sentDts_;
    return sentPtsMax_ == AV_NOPTS_VALUE ? farPast : sentPtsMax_ - reorderTicks();
}

const AVFrame* VideoDecoder::nextFrame()
{
    aimAt(AV_NOPTS_VALUE, AV_NOPTS_VALUE);
    if (!hasAhead_ && !decodeAhead()) return nullptr;
    takeAhead();
    return current_.get();
}

const AVFrame* VideoDecoder::lastFrame()
{
    std::int64_t aim = reader_->statedEnd().value_or(farFuture);
    for (int backoffs = 0; backoffs <= maximumBackoffs; ++backoffs) {
        if (!seekBefore(aim)) return nullptr;
        while (nextFrame()) {
        }
        if (hasCurrent_) return current_.get();
        if (!landing_ || landing_->atStart) return nullptr;
        aim = landing_->keyTime - 1;
    }
    return nullptr;
}

const AVFrame* VideoDecoder::lastFrameOfShortData()
{
    const std::optional<std::int64_t> stated = reader_->statedEnd();
    if (!stated || reader_->endsWithItsData() || !seekBefore(*stated)) return nullptr;
    std::int64_t dataEnd = farPast;
    AVPacket* packet = packet_.get();
    while (reader_->read(packet)) {
        const std::int64_t time = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (time != AV_NOPTS_VALUE) dataEnd = std::max(dataEnd, time + std::max<std::int64_t>(0, packet->duration));
        av_packet_unref(packet);
    }
    // The packets read were never decoded: only a seek goes on from here.
    keyFrameAlone_ = true;
    if (dataEnd + wholeEndSlack * std::max<std::int64_t>(1, frameTicks()) >= *stated) return nullptr;
    return lastFrame();
}

std::int64_t VideoDecoder::durationOf(const AVFrame* frame) const
{
    return frame->pkt_duration > 0 ? frame->pkt_duration : frameTicks();
}

bool VideoDecoder::standsOnLastFrame()
{
    return hasCurrent_ && !keyFrameAlone_ && drained_ && !hasAhead_ && !decodeAhead();
}

const AVFrame* VideoDecoder::frameAt(std::int64_t low, std::int64_t target, std::int64_t high, bool seekFirst,
                                     const Trail* trail)
{
    if (!seekFirst && canReachByDecoding(target)) {
        if (current_->pts >= low && current_->pts <= high) return current_.get();
    } else if (!seekBefore(target)) {
        return nullptr;
    }

    aimAt(std::min({low, target, trail ? trail->from : target}), target);
    int backoffs = 0;
    for (;;) {
        if (!hasAhead_ && !decodeAhead()) return holderOf(target);
        const std::int64_t pts = ahead_->pts;
        if (!hasCurrent_ && pts > target && pts > firstPts_ && !startsTheStream(pts)) {
            // Decoding started at a key frame before the target, yet its first frame lies past it: the frames
            // between did not decode from there (the leading frames of an open group of pictures, or a key
            // frame of unknown time). Start at the key frame before that one.
            if (!landing_ || landing_->atStart || ++backoffs > maximumBackoffs ||
                !seekBefore(std::min(landing_->keyTime, target) - 1))
                return nullptr;
            continue;
        }
        // The first frame of the stream also answers for times before it.
        if ((pts >= low && pts <= high) || (!hasCurrent_ && pts > high)) {
            takeAhead();
            return current_.get();
        }
        if (pts > high) return holderOf(target);
        takeAhead();
        if (trail && pts >= trail->from) trail->keep(current_.get());
        if (trail && trail->stop && trail->stop()) return nullptr;
    }
}

bool VideoDecoder::startsTheStream(std::int64_t pts) const
{
    return landing_ && landing_->atStart && sentPtsMin_ == AV_NOPTS_VALUE && pts <= firstPts_ + reorderTicks();
}

const AVFrame* VideoDecoder::keyFrameAt(std::int64_t low, std::int64_t target, std::int64_t high)
{
    const AVFrame* frame = decodeKeyFrameAlone(target);
    if (frame && frame->pts <= target && frame->pts >= low && frame->pts <= high) return frame;
    return frameAt(low, target, high, true);
}

const AVFrame* VideoDecoder::firstFrame()
{
    if (const AVFrame* frame = decodeKeyFrameAlone(farPast)) {
        if (reader_->beginsInsideGroup()) startAfterCut_ = frame->pts;
        return frame;
    }
    return seekBefore(farPast) ? nextFrame() : nullptr;
}

const AVFrame* VideoDecoder::decodeKeyFrameAlone(std::int64_t target)
{
    if (!seekBefore(target)) return nullptr;
    AVPacket* packet = packet_.get();
    if (!reader_->read(packet)) return nullptr;
    AVCodecContext* context = codec_.get();
    const bool key = packet->flags & AV_PKT_FLAG_KEY;
    context->skip_frame = AVDISCARD_DEFAULT;
    const int sent = key ? avcodec_send_packet(context, packet) : -1;
    av_packet_unref(packet);
    // From here on only a seek may feed the decoder.
    keyFrameAlone_ = true;
    if (sent < 0 || avcodec_send_packet(context, nullptr) < 0 || avcodec_receive_frame(context, current_.get()) < 0 ||
        errorsLogged())
        return nullptr;
    // Drained alone, a key frame of a stream of decoding times carries none: when it is shown is unknown.
    const bool timeless = reader_->storesDecodingTimesOnly() && !landing_->atStart;
    if ((current_->flags & AV_FRAME_FLAG_CORRUPT) || current_->decode_error_flags || timeless) {
        av_frame_unref(current_.get());
        return nullptr;
    }
    // At the start, the first key frame is the stream's first frame.
    current_->pts = reader_->storesDecodingTimesOnly() ? firstPts_ : ptsOf(current_.get());
    lastPts_ = current_->pts;
    hasCurrent_ = true;
    return current_.get();
}

}  // namespace media::detail
