// Facts about a movie read from its video tracks, and the throwing frame grab of the image generator.
#pragma once

#include "numerics/orientation.h"
#include "platform/gfx/affine_transform.h"
#include "platform/gfx/image.h"
#include "platform/gfx/size.h"
#include "platform/media/asset.h"
#include "platform/media/image_generator.h"

namespace kestrane {

// The nominal frame rate of the last video track whose rate is not 0; 0 without one.
float computeFrameRate(const media::Asset& asset);
// The largest width and the largest height over the video tracks, each taken on its own; 0 × 0 without video.
// The preferred transform is not applied.
gfx::Size computeNaturalSize(const media::Asset& asset);
// The preferred transform of the last video track whose transform is not the identity; else the identity.
gfx::AffineTransform computeNaturalTransform(const media::Asset& asset);
// The way up that the natural transform gives: (1, 0, 0, 1) up, (0, 1, −1, 0) left, (0, −1, 1, 0) right,
// (−1, 0, 0, −1) down, anything else up (exact comparisons; the translation does not count).
Orientation computeNaturalOrientation(const media::Asset& asset);
Orientation orientationOf(const gfx::AffineTransform& transform);
// The right-angle turn and mirror that a transform makes: its linear part with every entry -1, 0 or 1 and no
// translation (a uniform scale does not count); the identity for any other transform (a free angle, a skew).
gfx::AffineTransform rightAngleTurn(const gfx::AffineTransform& transform);
// The natural size as the file asks it to be shown: width and height exchanged when the natural transform
// turns the picture a quarter.
gfx::Size computePresentationSize(const media::Asset& asset);

// The image at the time; throws the generator's core::Error when it gives none.
gfx::ImageRef copyCGImage(media::ImageGenerator& generator, const media::Time& time);

}  // namespace kestrane
