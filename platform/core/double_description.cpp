#include "platform/core/double_description.h"

#include <charconv>
#include <cmath>

namespace core {

namespace {

// Beyond 2^53 not every integer is a double any more: such values are written with an exponent.
constexpr double LargestPlain = 9007199254740992.0;
constexpr double SmallestPlain = 1e-4;

}  // namespace

std::string describe(double value)
{
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0 || (magnitude >= SmallestPlain && magnitude <= LargestPlain);
    char buffer[64];
    const auto format = plain ? std::chars_format::fixed : std::chars_format::scientific;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    std::string text(buffer, result.ptr);
    if (plain && text.find('.') == std::string::npos) text += ".0";
    return text;
}

}  // namespace core
