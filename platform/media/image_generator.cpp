#include "platform/media/image_generator.h"

#include "platform/core/error.h"
#include "platform/media/detail/decoder_pool.h"
#include "platform/media/detail/frame_grab.h"
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

detail::GrabSettings ImageGenerator::settings() const
{
    return {maximumSize_, toleranceBefore_, toleranceAfter_, appliesTransform_};
}

detail::DecoderPool& ImageGenerator::pool() const
{
    detail::DecoderPool* pool = asset_ ? asset_->videoDecoders() : nullptr;
    if (!pool) throw core::Error(errorDomain, noVideo, "The movie holds no video that can be decoded.");
    return *pool;
}

gfx::ImageRef ImageGenerator::copyImage(const Time& time, Time* actualTime)
{
    detail::DecoderPool& pool = this->pool();
    const detail::GrabSettings settings = this->settings();
    const detail::FrameWindow window = detail::grabWindow(*asset_, pool, time, settings);
    detail::PoolLease lease(pool, window.target);
    detail::PooledDecoder* pooled = lease.get();
    if (!pooled) throw core::Error(errorDomain, decodeFailed, "The frame could not be decoded.");
    return detail::grabbedImage(*asset_, pool, *pooled, detail::grabFrame(*pooled, window), settings, actualTime);
}

std::unique_ptr<ImageJob> ImageGenerator::generateImages(const std::vector<Time>& times, ImageJob::Finish finish,
                                                         ImageJob::Stop stop, int mostDecoders, ImageJob::Encode encode)
{
    return std::make_unique<ImageJob>(asset_, pool(), settings(), times, std::move(finish), std::move(stop),
                                      mostDecoders, std::move(encode));
}

}  // namespace media
