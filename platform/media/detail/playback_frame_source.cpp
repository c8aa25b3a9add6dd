#include "platform/media/detail/playback_frame_source.h"

#include "platform/media/detail/decoder_pool.h"

#include <algorithm>
#include <cmath>

namespace media::detail {

namespace {

// Memory for decoded frames kept for stepping back, and the bounds on their number.
constexpr std::size_t runBudget = 64 << 20;
constexpr std::size_t shortestRun = 4;
constexpr std::size_t longestRun = 64;
// The frames before the one a seek lands on that the run keeps, so that the first steps back need no decoding.
constexpr std::size_t seekTrail = 12;

}  // namespace

std::unique_ptr<PlaybackFrameSource> PlaybackFrameSource::open(const Asset& asset)
{
    DecoderPool* pool = asset.videoDecoders();
    if (!pool) return nullptr;
    auto decoder = pool->openDecoder();
    if (!decoder) return nullptr;
    return std::unique_ptr<PlaybackFrameSource>(new PlaybackFrameSource(asset, *pool, std::move(decoder)));
}

PlaybackFrameSource::PlaybackFrameSource(const Asset& asset, DecoderPool& pool, std::unique_ptr<VideoDecoder> decoder)
    : asset_(asset), pool_(pool), decoder_(std::move(decoder)),
      frameTimes_(asset.path(), decoder_->stream()->index,
                  ticksFromTime(asset.timeOrigin(), decoder_->stream()->time_base, Rounding::towardNegativeInfinity)),
      timeBase_(decoder_->stream()->time_base), origin_(asset.timeOrigin()),
      firstPts_(ticksFromTime(asset.timeOrigin(), timeBase_, Rounding::towardNegativeInfinity)),
      width_(decoder_->codec()->width), height_(decoder_->codec()->height), frameTicks_(nominalFrameTicks(*decoder_))
{
    for (const TrackRef& track : asset.tracks(MediaType::video))
        if (track->streamIndex() == decoder_->stream()->index && track->naturalSize().width > 0) {
            width_ = std::max(1, int(std::lround(track->naturalSize().width)));
            height_ = std::max(1, int(std::lround(track->naturalSize().height)));
        }
    const AVCodecContext* codec = decoder_->codec();
    const int bytes = av_image_get_buffer_size(codec->pix_fmt, codec->width, codec->height, 1);
    runLength_ = bytes > 0 ? std::clamp(runBudget / std::size_t(bytes), shortestRun, longestRun) : shortestRun;
}

std::int64_t PlaybackFrameSource::ticksOf(const Time& t, Rounding rounding) const
{
    return ticksFromTime(add(t, origin_), timeBase_, rounding);
}

std::optional<PlaybackFrame> PlaybackFrameSource::make(const AVFrame* frame)
{
    if (!frame) return std::nullopt;
    gfx::ImageRef image = converter_.convert(frame, width_, height_);
    if (!image) return std::nullopt;
    return PlaybackFrame{frame->pts, subtract(timeFromTicks(frame->pts, timeBase_), origin_), std::move(image)};
}

std::int64_t PlaybackFrameSource::nominalFrameTicks(const VideoDecoder& decoder)
{
    AVRational rate = decoder.stream()->r_frame_rate;
    std::int64_t ticks =
        rate.num > 0 && rate.den > 0 ? av_rescale_q(1, av_inv_q(rate), decoder.stream()->time_base) : 1;
    return std::max<std::int64_t>(1, ticks);
}

VideoDecoder* PlaybackFrameSource::decoder()
{
    if (!decoder_) decoder_ = pool_.openDecoder();
    return decoder_.get();
}

void PlaybackFrameSource::closeDecoders()
{
    decoder_.reset();
    behind_.reset();
}

PlaybackFrameSource::Run PlaybackFrameSource::decodeStretch(VideoDecoder& decoder, const FrameWindow& window,
                                                            bool seekFirst, std::size_t before, std::int64_t frameTicks,
                                                            const std::function<bool()>& stop)
{
    Run frames;
    // Every clone or none: the run stays a row of frames without gaps.
    bool complete = true;
    const VideoDecoder::Trail trail{window.target - std::int64_t(before) * frameTicks,
                                    [&](const AVFrame* frame) {
                                        FramePtr copy(av_frame_clone(frame));
                                        complete = complete && copy;
                                        if (complete) frames.push_back(std::move(copy));
                                        while (frames.size() > before)
                                            frames.pop_front();
                                    },
                                    stop};
    const AVFrame* answer = decoder.frameAt(window.low, window.target, window.high, seekFirst, &trail);
    FramePtr copy(answer ? av_frame_clone(answer) : nullptr);
    if (!copy) return {};
    if (!complete) frames.clear();
    frames.push_back(std::move(copy));
    return frames;
}

std::optional<PlaybackFrame> PlaybackFrameSource::seek(const Time& t, const Time& before, const Time& after)
{
    const FrameWindow window = frameWindow(add(t, origin_), before, after, timeBase_);
    steppingBack_ = false;
    earlierTried_.reset();
    const std::size_t trail = std::min(seekTrail, runLength_ - 1);
    VideoDecoder* decoder = this->decoder();
    if (!decoder) return std::nullopt;
    run_ = decodeStretch(*decoder, window, window.keyFrame, trail, frameTicks_);
    bool last = !run_.empty() && decoder->standsOnLastFrame();
    if (run_.empty()) {
        // Past the data that decodes: its last frame.
        const Time end = asset_.lastFrameTime();
        if (!end.isNumeric() || compare(t, end) <= 0) return std::nullopt;
        const std::int64_t pts = ticksOf(end, Rounding::towardNegativeInfinity);
        run_ = decodeStretch(*decoder, {pts, pts, pts, false}, false, trail, frameTicks_);
        last = !run_.empty();
    }
    if (run_.empty()) return std::nullopt;
    std::optional<PlaybackFrame> frame = land(run_.size() - 1);
    if (frame) frame->last = last;
    return frame;
}

std::int64_t PlaybackFrameSource::stepTarget(std::int64_t fromPts, int count)
{
    if (std::optional<std::int64_t> target = frameTimes_.step(fromPts, count)) return *target;
    // Without readable packets, nominal frame durations.
    return fromPts + count * frameTicks_;
}

bool PlaybackFrameSource::decoderAtRunEnd() const
{
    if (!decoder_) return false;
    std::optional<std::int64_t> position = decoder_->position();
    return !run_.empty() && position && *position == run_.back()->pts;
}

void PlaybackFrameSource::remember(const AVFrame* frame, bool restart)
{
    if (restart) run_.clear();
    FramePtr copy(av_frame_clone(frame));
    if (!copy) {
        run_.clear();
        return;
    }
    run_.push_back(std::move(copy));
    while (run_.size() > runLength_)
        run_.pop_front();
}

std::optional<PlaybackFrame> PlaybackFrameSource::serve(std::size_t position)
{
    handedOut_ = run_[position]->pts;
    return make(run_[position].get());
}

std::optional<PlaybackFrame> PlaybackFrameSource::land(std::size_t position)
{
    landed_ = run_[position]->pts;
    return serve(position);
}

std::optional<std::size_t> PlaybackFrameSource::holderInRun(std::int64_t pts) const
{
    if (run_.empty() || run_.front()->pts > pts) return std::nullopt;
    std::size_t i = 0;
    while (i + 1 < run_.size() && run_[i + 1]->pts <= pts)
        ++i;
    if (i + 1 == run_.size() && run_[i]->pts != pts) return std::nullopt;
    return i;
}

std::optional<PlaybackFrame> PlaybackFrameSource::frameAt(std::int64_t pts)
{
    steppingBack_ = landed_ && pts < *landed_;
    if (std::optional<std::size_t> kept = holderInRun(pts)) return land(*kept);

    if (decoderAtRunEnd() && decoder_->canReachByDecoding(pts)) {
        // Ahead in the same run of frames: decode on.
        while (run_.back()->pts < pts) {
            const AVFrame* frame = decoder_->nextFrame();
            if (!frame) break;
            remember(frame, false);
        }
        if (run_.empty() || run_.back()->pts < pts) return std::nullopt;
        return land(holderInRun(pts).value_or(run_.size() - 1));
    }
    // From the key frame at or before it, keeping the frames before it that the run holds.
    earlierTried_.reset();
    VideoDecoder* decoder = this->decoder();
    if (!decoder) return std::nullopt;
    run_ = decodeStretch(*decoder, {pts, pts, pts, false}, false, runLength_ - 1, frameTicks_);
    if (run_.empty()) return std::nullopt;
    return land(run_.size() - 1);
}

bool PlaybackFrameSource::wantsEarlierFrames() const
{
    if (!steppingBack_ || run_.empty() || !landed_ || run_.front()->pts <= firstPts_ ||
        (earlierTried_ && *earlierTried_ == run_.front()->pts))
        return false;
    // Half the run or less lies before the frame on screen.
    const std::optional<std::size_t> shown = holderInRun(*landed_);
    return shown && *shown < runLength_ / 2;
}

void PlaybackFrameSource::decodeEarlier(const std::function<bool()>& stop)
{
    const std::int64_t front = run_.front()->pts;
    if (!behind_) behind_ = pool_.openDecoder();
    if (!behind_) {
        earlierTried_ = front;
        return;
    }
    const std::size_t wanted = runLength_ / 2;
    Run earlier =
        decodeStretch(*behind_, {front - 1, front - 1, front - 1, false}, false, wanted - 1, frameTicks_, stop);
    if (stop && stop()) return;  // left for later
    if (earlier.empty() || earlier.back()->pts >= front) {
        earlierTried_ = front;
        return;
    }
    // In front of the run, dropping as many of its last frames, which lie furthest from the frame on screen.
    for (auto it = earlier.rbegin(); it != earlier.rend(); ++it)
        run_.push_front(std::move(*it));
    while (run_.size() > runLength_)
        run_.pop_back();
}

std::optional<PlaybackFrame> PlaybackFrameSource::next()
{
    // The frame after the one handed out, when the run holds it.
    if (handedOut_)
        for (std::size_t i = 1; i < run_.size(); ++i)
            if (run_[i]->pts > *handedOut_ && run_[i - 1]->pts <= *handedOut_) return serve(i);
    VideoDecoder* decoder = this->decoder();
    if (!decoder) return std::nullopt;
    const AVFrame* frame = nullptr;
    if (!handedOut_ || (decoderAtRunEnd() && run_.back()->pts == *handedOut_)) {
        frame = decoder->nextFrame();
        if (frame) remember(frame, false);
    } else {
        // The decoder stands elsewhere (or was opened again): back to the frame after the one handed out.
        frame = decoder->frameAt(*handedOut_ + 1, *handedOut_ + 1, farFuture, false);
        if (frame && frame->pts <= *handedOut_) frame = nullptr;
        // The frame right after the run's last one extends it (a decoder opened again after closing).
        if (frame) remember(frame, run_.empty() || run_.back()->pts != *handedOut_);
    }
    if (!frame) return std::nullopt;
    return serve(run_.size() - 1);
}

}  // namespace media::detail
