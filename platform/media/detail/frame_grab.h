// The steps of one grab that a single grab and an image job share: the time checked and turned into the window
// of frames that answer it, the frame decoded, and its image made as the generator's settings ask.
#pragma once

#include "platform/gfx/image.h"
#include "platform/gfx/size.h"
#include "platform/media/asset.h"
#include "platform/media/detail/decoder_pool.h"
#include "platform/media/detail/tolerance.h"
#include "platform/media/time.h"

namespace media::detail {

struct GrabSettings {
    gfx::Size maximumSize;
    Time toleranceBefore = Time::positiveInfinity();
    Time toleranceAfter = Time::positiveInfinity();
    bool appliesTransform = false;
};

// The frames that answer a grab at the asset's time. Throws core::Error (timeOutOfRange) for a time outside
// [0, duration], unless the last frame lies past the duration and the time at or before it.
FrameWindow grabWindow(const Asset& asset, const DecoderPool& pool, const Time& time, const GrabSettings& settings);

// The frame of the window, decoded by the decoder; null when it does not decode (or `trail` stopped it).
const AVFrame* grabFrame(PooledDecoder& pooled, const FrameWindow& window, const VideoDecoder::Trail* trail = nullptr);

// The decoded frame as an image at its display size, fitted and turned as the settings ask; its asset time in
// actualTime. Throws core::Error (decodeFailed) for a null frame or one that does not convert.
gfx::ImageRef grabbedImage(const Asset& asset, const DecoderPool& pool, PooledDecoder& pooled, const AVFrame* frame,
                           const GrabSettings& settings, Time* actualTime);

}  // namespace media::detail
