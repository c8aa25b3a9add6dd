#include "platform/gfx/color.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {

double clampUnit(double v) { return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0); }

std::uint8_t toByte(double unit) { return std::uint8_t(std::lround(unit * 255.0)); }

}  // namespace

Pixel premultipliedPixel(const Color& color)
{
    const double a = clampUnit(color.a);
    return makePixel(toByte(a), toByte(clampUnit(color.r) * a), toByte(clampUnit(color.g) * a),
                     toByte(clampUnit(color.b) * a));
}

Color colorOfPixel(Pixel pixel)
{
    const double a = alphaOf(pixel) / 255.0;
    if (a == 0) return Color::clear();
    const auto straight = [a](std::uint8_t c) { return std::min(1.0, c / 255.0 / a); };
    return {straight(redOf(pixel)), straight(greenOf(pixel)), straight(blueOf(pixel)), a};
}

}  // namespace gfx
