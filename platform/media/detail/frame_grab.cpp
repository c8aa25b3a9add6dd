#include "platform/media/detail/frame_grab.h"

#include "platform/core/error.h"
#include "platform/media/image_generator.h"
#include "platform/media/media_error.h"

namespace media::detail {

namespace {

bool pastTheLastFrame(const Asset& asset, const Time& time)
{
    const Time duration = asset.duration();
    if (!duration.isNumeric() || compare(time, duration) <= 0) return false;
    // Some containers state an end before their last frame is shown: where their last stored time lies (program
    // streams), or where their decoding times end (B-frames in AVI). The frames up to the last one still count.
    const Time last = asset.lastFrameTime();
    return !last.isNumeric() || compare(time, last) > 0;
}

gfx::AffineTransform trackTransform(const Asset& asset, const DecoderPool& pool)
{
    for (const TrackRef& track : asset.tracks(MediaType::video))
        if (track->streamIndex() == pool.streamIndex()) return track->preferredTransform();
    return gfx::AffineTransform::identity();
}

}  // namespace

FrameWindow grabWindow(const Asset& asset, const DecoderPool& pool, const Time& time, const GrabSettings& settings)
{
    if (!time.isNumeric() || compare(time, Time::zero()) < 0 || pastTheLastFrame(asset, time))
        throw core::Error(errorDomain, timeOutOfRange, "The time lies outside the movie.");
    return frameWindow(add(time, asset.timeOrigin()), settings.toleranceBefore, settings.toleranceAfter,
                       pool.timeBase());
}

const AVFrame* grabFrame(PooledDecoder& pooled, const FrameWindow& window, const VideoDecoder::Trail* trail)
{
    if (window.keyFrame) return pooled.decoder->keyFrameAt(window.low, window.target, window.high);
    return pooled.decoder->frameAt(window.low, window.target, window.high, false, trail);
}

gfx::ImageRef grabbedImage(const Asset& asset, const DecoderPool& pool, PooledDecoder& pooled, const AVFrame* frame,
                           const GrabSettings& settings, Time* actualTime)
{
    if (!frame) throw core::Error(errorDomain, decodeFailed, "The frame could not be decoded.");
    const gfx::AffineTransform transform = trackTransform(asset, pool);
    const bool turns = settings.appliesTransform && !transform.isIdentity();
    const bool swapsSides = turns && transform.a == 0 && transform.d == 0;

    const gfx::Size& maximum = settings.maximumSize;
    const gfx::Size bound = swapsSides ? gfx::Size{maximum.height, maximum.width} : maximum;
    const gfx::Size out =
        fittingSize(frame->width * sampleAspect(pooled.decoder->stream(), frame), frame->height, bound);
    gfx::ImageRef image = pooled.converter.convert(frame, int(out.width), int(out.height));
    if (!image) throw core::Error(errorDomain, decodeFailed, "The frame could not be converted.");
    if (turns) image = transformImage(image, transform.a, transform.b, transform.c, transform.d);
    if (actualTime) *actualTime = subtract(timeFromTicks(frame->pts, pool.timeBase()), asset.timeOrigin());
    return image;
}

}  // namespace media::detail
