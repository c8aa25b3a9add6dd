// Conversions between the premultiplied pixel words of gfx::Image and the straight-alpha bytes that image
// files hold. Internal to the layer's codecs.
#pragma once

#include <cstdint>

#include "platform/gfx/image.h"

namespace gfx::codec {

// Straight colour component from a premultiplied one, rounded; 0 when alpha is 0.
inline std::uint8_t unpremultiply(std::uint8_t c, std::uint8_t a)
{
    if (a == 0) return 0;
    const unsigned v = (unsigned(c) * 255u + a / 2u) / a;
    return std::uint8_t(v > 255u ? 255u : v);
}

// Premultiplied colour component from a straight one, rounded.
inline std::uint8_t premultiply(std::uint8_t c, std::uint8_t a)
{
    const unsigned v = unsigned(c) * a + 128u;
    return std::uint8_t((v + (v >> 8)) >> 8);
}

// One row of the image as straight bytes: R, G, B (three per pixel) or R, G, B, A (four per pixel).
void straightRow(const Pixel* row, int width, bool withAlpha, std::uint8_t* out);

// A pixel word from straight components.
inline Pixel pixelFromStraight(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
{
    return makePixel(a, premultiply(r, a), premultiply(g, a), premultiply(b, a));
}

// Images larger than this many pixels are refused by every decoder.
constexpr std::uint64_t maximumPixelCount = std::uint64_t(1) << 27;

inline bool acceptableSize(std::uint64_t width, std::uint64_t height)
{
    return width > 0 && height > 0 && width <= 0x7fffffff && height <= 0x7fffffff &&
           width * height <= maximumPixelCount;
}

}  // namespace gfx::codec
