#include "platform/media/detail/playback_frame_source.h"

#include "platform/media/detail/decoder_pool.h"
#include "platform/media/detail/tolerance.h"

#include <algorithm>
#include <cmath>

namespace media::detail {

namespace {

// Memory for decoded frames kept for stepping back, and the bounds on their number.
constexpr std::size_t runBudget = 64 << 20;
constexpr std::size_t shortestRun = 4;
constexpr std::size_t longestRun = 64;

}  // namespace

std::unique_ptr<PlaybackFrameSource> PlaybackFrameSource::open(const Asset& asset)
{
    DecoderPool* pool = asset.videoDecoders();
    if (!pool)
        return nullptr;
    auto decoder = pool->openDecoder();
    if (!decoder)
        return nullptr;
    return std::unique_ptr<PlaybackFrameSource>(new PlaybackFrameSource(asset, std::move(decoder)));
}

PlaybackFrameSource::PlaybackFrameSource(const Asset& asset, std::unique_ptr<VideoDecoder> decoder)
    : decoder_(std::move(decoder)), frameTimes_(asset.path(), decoder_->stream()->index), timeBase_(decoder_->stream()->time_base),
      origin_(asset.timeOrigin()), width_(decoder_->codec()->width), height_(decoder_->codec()->height)
{
    for (const TrackRef& track : asset.tracks(MediaType::video))
        if (track->streamIndex() == decoder_->stream()->index && track->naturalSize().width > 0) {
            width_ = std::max(1, int(std::lround(track->naturalSize().width)));
            height_ = std::max(1, int(std::lround(track->naturalSize().height)));
        }
}

std::int64_t PlaybackFrameSource::ticksOf(const Time& t, Rounding rounding) const
{
    return ticksFromTime(add(t, origin_), timeBase_, rounding);
}

std::optional<PlaybackFrame> PlaybackFrameSource::make(const AVFrame* frame)
{
    if (!frame)
        return std::nullopt;
    gfx::ImageRef image = converter_.convert(frame, width_, height_);
    if (!image)
        return std::nullopt;
    return PlaybackFrame{frame->pts, subtract(timeFromTicks(frame->pts, timeBase_), origin_), std::move(image)};
}

std::optional<PlaybackFrame> PlaybackFrameSource::seek(const Time& t, const Time& before, const Time& after)
{
    const FrameWindow window = frameWindow(add(t, origin_), before, after, timeBase_);
    const AVFrame* frame = decoder_->frameAt(window.low, window.target, window.high, window.keyFrame);
    if (!frame)
        return std::nullopt;
    remember(frame, true);
    return serve(run_.size() - 1);
}

std::int64_t PlaybackFrameSource::stepTarget(std::int64_t fromPts, int count)
{
    if (std::optional<std::int64_t> target = frameTimes_.step(fromPts, count))
        return *target;
    // Without readable packets, nominal frame durations.
    AVRational rate = decoder_->stream()->r_frame_rate;
    std::int64_t frame = rate.num > 0 && rate.den > 0 ? av_rescale_q(1, av_inv_q(rate), timeBase_) : 1;
    return fromPts + count * std::max<std::int64_t>(1, frame);
}

bool PlaybackFrameSource::decoderAtRunEnd() const
{
    std::optional<std::int64_t> position = decoder_->position();
    return !run_.empty() && position && *position == run_.back()->pts;
}

void PlaybackFrameSource::remember(const AVFrame* frame, bool restart)
{
    if (restart)
        run_.clear();
    if (runLength_ == 0) {
        int bytes = av_image_get_buffer_size(AVPixelFormat(frame->format), frame->width, frame->height, 1);
        runLength_ = bytes > 0 ? std::clamp(runBudget / std::size_t(bytes), shortestRun, longestRun) : shortestRun;
    }
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

std::optional<PlaybackFrame> PlaybackFrameSource::frameAt(std::int64_t pts)
{
    // The frame holding the time: the last one at or before it, in a run that reaches past it.
    auto holder = [this, pts]() -> std::optional<std::size_t> {
        if (run_.empty() || run_.front()->pts > pts)
            return std::nullopt;
        std::size_t i = 0;
        while (i + 1 < run_.size() && run_[i + 1]->pts <= pts)
            ++i;
        return i;
    };
    if (auto kept = holder(); kept && (*kept + 1 < run_.size() || run_[*kept]->pts == pts))
        return serve(*kept);

    if (decoderAtRunEnd() && decoder_->canReachByDecoding(pts)) {
        // Ahead in the same run of frames: decode on.
        while (run_.back()->pts < pts) {
            const AVFrame* frame = decoder_->nextFrame();
            if (!frame)
                break;
            remember(frame, false);
        }
    } else {
        // From the key frame at or before it, keeping the frames on the way.
        const AVFrame* frame = decoder_->frameAt(farPast, pts, farFuture, true);
        if (!frame)
            return std::nullopt;
        remember(frame, true);
        while (frame && frame->pts < pts) {
            frame = decoder_->nextFrame();
            if (frame)
                remember(frame, false);
        }
    }
    if (run_.empty())
        return std::nullopt;
    return serve(holder().value_or(0));
}

std::optional<PlaybackFrame> PlaybackFrameSource::next()
{
    // The frame after the one handed out, when the run holds it.
    if (handedOut_)
        for (std::size_t i = 0; i < run_.size(); ++i)
            if (run_[i]->pts > *handedOut_ && (i == 0 ? false : run_[i - 1]->pts <= *handedOut_))
                return serve(i);
    const AVFrame* frame = nullptr;
    if (!handedOut_ || (decoderAtRunEnd() && run_.back()->pts == *handedOut_)) {
        frame = decoder_->nextFrame();
        if (frame)
            remember(frame, false);
    } else {
        // The decoder stands elsewhere: back to the frame after the one handed out.
        frame = decoder_->frameAt(*handedOut_ + 1, *handedOut_ + 1, farFuture, false);
        if (frame && frame->pts <= *handedOut_)
            frame = nullptr;
        if (frame)
            remember(frame, true);
    }
    if (!frame)
        return std::nullopt;
    return serve(run_.size() - 1);
}

}  // namespace media::detail
