#include "platform/gfx/point.h"

#include <charconv>
#include <cmath>

namespace gfx {

namespace {

// Shortest round-trip text, whole numbers with ".0", exponent form outside [1e-4, 2^53].
std::string describeCoordinate(double v)
{
    if (std::isnan(v)) return std::signbit(v) ? "-nan" : "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
    char buffer[64];
    double magnitude = std::fabs(v);
    bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude <= 9007199254740992.0);
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v,
                                plain ? std::chars_format::fixed : std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    if (plain && text.find('.') == std::string::npos) text += ".0";
    return text;
}

}  // namespace

std::string describe(const Point& p)
{
    return "(" + describeCoordinate(p.x) + ", " + describeCoordinate(p.y) + ")";
}

}  // namespace gfx
