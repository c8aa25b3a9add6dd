#include "foundation/asset_extensions.h"

#include "platform/core/error.h"
#include "platform/media/media_error.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kestrane {

float computeFrameRate(const media::Asset& asset)
{
    float rate = 0;
    for (const media::TrackRef& track : asset.tracks(media::MediaType::video))
        if (track->nominalFrameRate() != 0) rate = track->nominalFrameRate();
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
        if (!track->preferredTransform().isIdentity()) transform = track->preferredTransform();
    return transform;
}

Orientation orientationOf(const gfx::AffineTransform& t)
{
    if (t.a == 0 && t.b == 1 && t.c == -1 && t.d == 0) return Orientation::left;
    if (t.a == 0 && t.b == -1 && t.c == 1 && t.d == 0) return Orientation::right;
    if (t.a == -1 && t.b == 0 && t.c == 0 && t.d == -1) return Orientation::down;
    return Orientation::up;
}

Orientation computeNaturalOrientation(const media::Asset& asset)
{
    return orientationOf(computeNaturalTransform(asset));
}

namespace {

// The entry over the transform's scale as -1, 0 or 1; nullopt when it is none of them.
std::optional<double> unitEntry(double entry, double scale)
{
    constexpr double slack = 1e-3;
    for (double unit : {-1.0, 0.0, 1.0})
        if (std::abs(entry / scale - unit) < slack) return unit;
    return std::nullopt;
}

}  // namespace

gfx::AffineTransform rightAngleTurn(const gfx::AffineTransform& t)
{
    const double scale = std::max({std::abs(t.a), std::abs(t.b), std::abs(t.c), std::abs(t.d)});
    if (!(scale > 0) || !std::isfinite(scale)) return gfx::AffineTransform::identity();
    const auto a = unitEntry(t.a, scale), b = unitEntry(t.b, scale), c = unitEntry(t.c, scale),
               d = unitEntry(t.d, scale);
    if (!a || !b || !c || !d) return gfx::AffineTransform::identity();
    const bool straight = *b == 0 && *c == 0 && *a != 0 && *d != 0;
    const bool sideways = *a == 0 && *d == 0 && *b != 0 && *c != 0;
    if (!straight && !sideways) return gfx::AffineTransform::identity();
    return {*a, *b, *c, *d, 0, 0};
}

gfx::Size computePresentationSize(const media::Asset& asset)
{
    const gfx::Size size = computeNaturalSize(asset);
    const gfx::AffineTransform turn = rightAngleTurn(computeNaturalTransform(asset));
    return turn.a == 0 ? gfx::Size{size.height, size.width} : size;
}

gfx::ImageRef copyCGImage(media::ImageGenerator& generator, const media::Time& time)
{
    media::Time actual = media::Time::zero();
    gfx::ImageRef image = generator.copyImage(time, &actual);
    if (!image) throw core::Error(media::errorDomain, media::decodeFailed, "The generator gave no image.");
    return image;
}

}  // namespace kestrane
