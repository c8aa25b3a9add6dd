// Images for the gfx tests: a scene of smooth colours with a marker pixel, and conversions to and from QImage
// for checking files with Qt's own decoders.
#pragma once

#include <QImage>

#include <string>

#include "platform/gfx/image.h"

namespace gfxtest {

// The marker pixel's colour: pure red over a scene with no saturated red.
constexpr gfx::Pixel markerPixel = gfx::makePixel(255, 255, 0, 0);

// A smooth opaque scene of green and blue, with the marker at (markerX, markerY) counted from the top left.
gfx::ImageRef sceneWithMarker(int width, int height, int markerX, int markerY);

// The image as straight ARGB.
QImage toQImage(const gfx::Image& image);
gfx::ImageRef fromQImage(const QImage& image);

// Qt's decoder on a file, converted to straight ARGB; null image when it cannot read it.
QImage readWithQt(const std::string& path);

// Where the reddest pixel of the picture lies, from the top left.
std::pair<int, int> reddestPixel(const QImage& image);

}  // namespace gfxtest
