#include "moviekit/thumbnailer.h"

#include "foundation/asset_extensions.h"
#include "moviekit/movie.h"
#include "moviekit/player.h"
#include "platform/core/error.h"
#include "platform/gfx/image_scaling.h"

namespace orvalis {

Thumbnailer::Thumbnailer(std::shared_ptr<Movie> movie) : movie_(std::move(movie)), edition_(movie_->edition()) {}

media::ImageGenerator& Thumbnailer::generator()
{
    if (!generator_) generator_ = media::ImageGenerator::create(movie_->avasset());
    return *generator_;
}

gfx::Size Thumbnailer::stored(const gfx::Size& upright) const
{
    const bool sideways = kestrane::rightAngleTurn(movie_->naturalTransform()).a == 0;
    return sideways ? gfx::Size{upright.height, upright.width} : upright;
}

gfx::Size Thumbnailer::maximumSize() { return stored(generator().maximumSize()); }

void Thumbnailer::setMaximumSize(const gfx::Size& size) { generator().setMaximumSize(stored(size)); }

gfx::ImageRef Thumbnailer::accurateImage(const media::Time& time) { return image(time, media::Time::zero()); }

gfx::ImageRef Thumbnailer::inaccurateImage(const media::Time& time)
{
    return image(time, media::Time::positiveInfinity());
}

gfx::ImageRef Thumbnailer::frameOnScreen(const media::Time& time)
{
    const auto player = movie_->existingPlayer();
    const gfx::ImageRef shown = player ? player->avplayer()->videoFrameShownAt(time) : nullptr;
    if (!shown) return nullptr;
    const gfx::Size size = media::fittingSize(shown->width(), shown->height(), generator().maximumSize());
    return gfx::scaledImage(shown, int(size.width), int(size.height));
}

gfx::ImageRef Thumbnailer::image(const media::Time& time, const media::Time& tolerance)
{
    auto& frames = generator();
    frames.setRequestedTimeToleranceBefore(tolerance);
    frames.setRequestedTimeToleranceAfter(tolerance);
    // The frame at exactly the time the player shows is already decoded: it is taken from the screen.
    gfx::ImageRef frame = media::compare(tolerance, media::Time::zero()) == 0 ? frameOnScreen(time) : nullptr;
    if (!frame) frame = kestrane::copyCGImage(frames, time);
    return edited(frame, edition_, movie_->naturalTransform());
}

gfx::ImageRef Thumbnailer::edited(const gfx::ImageRef& frame, const std::optional<Edition>& edition,
                                  const gfx::AffineTransform& turn)
{
    if (!edition) return frame;
    gfx::ImageRef edited = edition->apply(frame, turn);
    if (!edited)
        throw core::Error(thumbnailerErrorDomain, editionFailed,
                          "The frame could not be drawn with the edition (" + std::to_string(frame->width()) + " × " +
                              std::to_string(frame->height()) + ")");
    return edited;
}

std::unique_ptr<media::ImageJob> Thumbnailer::accurateImages(const std::vector<Grab>& grabs, media::ImageJob::Stop stop,
                                                             int mostDecoders, media::ImageJob::Encode encode)
{
    auto& frames = generator();
    frames.setRequestedTimeToleranceBefore(media::Time::zero());
    frames.setRequestedTimeToleranceAfter(media::Time::zero());
    std::vector<media::Time> times;
    std::vector<std::optional<Edition>> editions;
    for (const Grab& grab : grabs) {
        times.push_back(grab.time);
        editions.push_back(grab.edition);
    }
    // Each frame is edited on the thread that decoded it.
    auto finish = [turn = movie_->naturalTransform(), editions = std::move(editions)](
                      std::size_t index, const gfx::ImageRef& frame) { return edited(frame, editions[index], turn); };
    return frames.generateImages(times, std::move(finish), std::move(stop), mostDecoders, std::move(encode));
}

}  // namespace orvalis
