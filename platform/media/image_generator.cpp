#include "platform/media/image_generator.h"

#include "platform/core/error.h"
#include "platform/media/detail/decoder_pool.h"
#include "platform/media/detail/tolerance.h"
#include "platform/media/media_error.h"

#include <algorithm>
#include <cmath>

namespace media {

gfx::Size fittingSize(double width, double height, const gfx::Size& bound)
{
    double scale = 1;
    if (bound.width > 0) scale = std::min(scale, bound.width / width);
    if (bound.height > 0) scale = std::min(scale, bound.height / height);
    return {double(std::max(1L, std::lround(width * scale))), double(std::max(1L, std::lround(height * scale)))};
}

std::shared_ptr<ImageGenerator> ImageGenerator::create(std::shared_ptr<const Asset> asset)
{
    return core::make<ImageGenerator>(std::move(asset));
}

bool ImageGenerator::pastTheLastFrame(const Time& time) const
{
    const Time duration = asset_->duration();
    if (!duration.isNumeric() || compare(time, duration) <= 0) return false;
    // Some containers state an end before their last frame is shown: where their last stored time lies (program
    // streams), or where their decoding times end (B-frames in AVI). The frames up to the last one still count.
    const Time last = asset_->lastFrameTime();
    return !last.isNumeric() || compare(time, last) > 0;
}

gfx::ImageRef ImageGenerator::copyImage(const Time& time, Time* actualTime)
{
    detail::DecoderPool* pool = asset_ ? asset_->videoDecoders() : nullptr;
    if (!pool) throw core::Error(errorDomain, noVideo, "The movie holds no video that can be decoded.");
    if (!time.isNumeric() || compare(time, Time::zero()) < 0 || pastTheLastFrame(time))
        throw core::Error(errorDomain, timeOutOfRange, "The time lies outside the movie.");

    const detail::FrameWindow window =
        detail::frameWindow(add(time, asset_->timeOrigin()), toleranceBefore_, toleranceAfter_, pool->timeBase());
    detail::PoolLease lease(*pool, window.target);
    detail::PooledDecoder* pooled = lease.get();
    const AVFrame* frame = nullptr;
    if (pooled && window.keyFrame)
        frame = pooled->decoder->keyFrameAt(window.low, window.target, window.high);
    else if (pooled)
        frame = pooled->decoder->frameAt(window.low, window.target, window.high, false);
    if (!frame) throw core::Error(errorDomain, decodeFailed, "The frame could not be decoded.");

    gfx::AffineTransform transform = gfx::AffineTransform::identity();
    for (const TrackRef& track : asset_->tracks(MediaType::video))
        if (track->streamIndex() == pool->streamIndex()) transform = track->preferredTransform();
    bool turns = appliesTransform_ && !transform.isIdentity();
    bool swapsSides = turns && transform.a == 0 && transform.d == 0;

    const gfx::Size bound = swapsSides ? gfx::Size{maximumSize_.height, maximumSize_.width} : maximumSize_;
    const gfx::Size out =
        fittingSize(frame->width * detail::sampleAspect(pooled->decoder->stream(), frame), frame->height, bound);
    const int outW = int(out.width), outH = int(out.height);

    gfx::ImageRef image = pooled->converter.convert(frame, outW, outH);
    if (!image) throw core::Error(errorDomain, decodeFailed, "The frame could not be converted.");
    if (turns) image = detail::transformImage(image, transform.a, transform.b, transform.c, transform.d);
    if (actualTime) *actualTime = subtract(detail::timeFromTicks(frame->pts, pool->timeBase()), asset_->timeOrigin());
    return image;
}

}  // namespace media
