#include "foundation/color_extensions.h"

#include <random>

namespace kestrane {

namespace CGColor {

gfx::Color blue() { return gfx::Color::blue(); }
gfx::Color brown() { return gfx::Color::brown(); }
gfx::Color cyan() { return gfx::Color::cyan(); }
gfx::Color darkGray() { return gfx::Color::darkGray(); }
gfx::Color gray() { return gfx::Color::gray(); }
gfx::Color green() { return gfx::Color::green(); }
gfx::Color lightGray() { return gfx::Color::lightGray(); }
gfx::Color magenta() { return gfx::Color::magenta(); }
gfx::Color orange() { return gfx::Color::orange(); }
gfx::Color purple() { return gfx::Color::purple(); }
gfx::Color red() { return gfx::Color::red(); }
gfx::Color yellow() { return gfx::Color::yellow(); }

std::optional<gfx::Color> create(const std::string& hexString)
{
    const auto rgba = RGBA::fromHexString(hexString);
    if (!rgba) return std::nullopt;
    return create(*rgba);
}

gfx::Color create(const RGBA& rgba) { return gfx::Color::rgb(rgba.r, rgba.g, rgba.b, rgba.a); }

gfx::Color randomColor()
{
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> hundredths(0, 99);
    const double r = hundredths(generator) / 100.0;
    const double g = hundredths(generator) / 100.0;
    const double b = hundredths(generator) / 100.0;
    return gfx::Color::rgb(r, g, b, 1.0);
}

}  // namespace CGColor

namespace NSColor {

std::optional<gfx::Color> fromHexString(const std::string& hexString) { return CGColor::create(hexString); }

}  // namespace NSColor

std::string hexString(const gfx::Color& color) { return RGBA(color.r, color.g, color.b, color.a).hexString(); }

}  // namespace kestrane
