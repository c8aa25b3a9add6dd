#include "foundation/asset_extensions.h"

#include "platform/core/error.h"
#include "platform/media/media_error.h"

#include <algorithm>

namespace kestrane {

float computeFrameRate(const media::Asset& asset)
{
    float rate = 0;
    for (const media::TrackRef& track : asset.tracks(media::MediaType::video))
        if (track->nominalFrameRate() != 0)
            rate = track->nominalFrameRate();
    return rate;
}

gfx::Size computeNaturalSize(const media::Asset& asset)
{
    gfx::Size size;
    for (const media::TrackRef& track : asset.tracks(media::MediaType::video)) {
        size.width = std::max(size.width, track->naturalSize().width);
        size.height = std::max(size.height, track->naturalSize().height);
    }
    return size;
}

gfx::AffineTransform computeNaturalTransform(const media::Asset& asset)
{
    gfx::AffineTransform transform = gfx::AffineTransform::identity();
    for (const media::TrackRef& track : asset.tracks(media::MediaType::video))
        if (!track->preferredTransform().isIdentity())
            transform = track->preferredTransform();
    return transform;
}

Orientation orientationOf(const gfx::AffineTransform& t)
{
    if (t.a == 0 && t.b == 1 && t.c == -1 && t.d == 0)
        return Orientation::left;
    if (t.a == 0 && t.b == -1 && t.c == 1 && t.d == 0)
        return Orientation::right;
    if (t.a == -1 && t.b == 0 && t.c == 0 && t.d == -1)
        return Orientation::down;
    return Orientation::up;
}

Orientation computeNaturalOrientation(const media::Asset& asset) { return orientationOf(computeNaturalTransform(asset)); }

gfx::ImageRef copyCGImage(media::ImageGenerator& generator, const media::Time& time)
{
    media::Time actual = media::Time::zero();
    gfx::ImageRef image = generator.copyImage(time, &actual);
    if (!image)
        throw core::Error(media::errorDomain, media::decodeFailed, "The generator gave no image.");
    return image;
}

}  // namespace kestrane
