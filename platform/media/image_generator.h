// Takes still images out of an asset's video track at chosen times. Frames come out at their display
// size (the sample aspect ratio applied), scaled down to fit maximumSize when one is set, unturned unless
// appliesPreferredTrackTransform is on. Serves one thread at a time; any number of generators of one asset
// may grab at once on different threads, sharing the asset's pool of positioned decoders.
#pragma once

#include "platform/core/object.h"
#include "platform/gfx/image.h"
#include "platform/gfx/size.h"
#include "platform/media/asset.h"
#include "platform/media/image_job.h"
#include "platform/media/time.h"

#include <memory>
#include <vector>

namespace media {

class ImageGenerator : public core::Object {
public:
    static std::shared_ptr<ImageGenerator> create(std::shared_ptr<const Asset> asset);
    explicit ImageGenerator(std::shared_ptr<const Asset> asset) : asset_(std::move(asset)) {}

    const std::shared_ptr<const Asset>& asset() const { return asset_; }

    // 0 on an axis leaves it unbounded; the default bounds nothing.
    gfx::Size maximumSize() const { return maximumSize_; }
    void setMaximumSize(gfx::Size size) { maximumSize_ = size; }
    // How far before and after the time asked for the frame may lie. Both zero: the frame whose display
    // interval holds the time. Infinite before: the key frame at or before it (the default, the quickest).
    Time requestedTimeToleranceBefore() const { return toleranceBefore_; }
    void setRequestedTimeToleranceBefore(const Time& t) { toleranceBefore_ = t; }
    Time requestedTimeToleranceAfter() const { return toleranceAfter_; }
    void setRequestedTimeToleranceAfter(const Time& t) { toleranceAfter_ = t; }
    bool appliesPreferredTrackTransform() const { return appliesTransform_; }
    void setAppliesPreferredTrackTransform(bool applies) { appliesTransform_ = applies; }

    // The image of the frame at the time, and that frame's own time in actualTime. Throws core::Error
    // (domain media::errorDomain) for a movie without decodable video, a time outside [0, duration] (unless
    // the last frame lies past the duration and the time at or before it) and a frame that does not decode; the
    // generator stays usable after a throw.
    gfx::ImageRef copyImage(const Time& time, Time* actualTime = nullptr);
    // The images of all the times with the settings as they are now, decoded side by side and handed out in
    // the order of the times; `finish`, when set, works on each one first, `stop` ends the job early,
    // `mostDecoders` (when above 0) bounds its decoders, for a taker slower than one decoder, and `encode`, when
    // set, hands each image over as the bytes of a file. Throws core::Error (noVideo) for a movie without
    // decodable video; every other failure answers its own time.
    std::unique_ptr<ImageJob> generateImages(const std::vector<Time>& times, ImageJob::Finish finish = {},
                                             ImageJob::Stop stop = {}, int mostDecoders = 0,
                                             ImageJob::Encode encode = {});

private:
    detail::GrabSettings settings() const;
    detail::DecoderPool& pool() const;

    std::shared_ptr<const Asset> asset_;
    gfx::Size maximumSize_;
    Time toleranceBefore_ = Time::positiveInfinity();
    Time toleranceAfter_ = Time::positiveInfinity();
    bool appliesTransform_ = false;
};

using ImageGeneratorRef = std::shared_ptr<ImageGenerator>;

// The pixel size of a frame of width × height scaled down, proportions kept, to fit within `bound` (0 on an
// axis bounds nothing): sides rounded, never enlarged, at least 1. The size copyImage gives a frame.
gfx::Size fittingSize(double width, double height, const gfx::Size& bound);

}  // namespace media
