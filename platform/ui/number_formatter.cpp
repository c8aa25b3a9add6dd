#include "platform/ui/number_formatter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ui {

std::string NumberFormatter::stringFromNumber(double number) const
{
    if (std::isnan(number)) return "NaN";
    const int digits = allowsFloats_ ? std::clamp(maximumFractionDigits_, 0, 17) : 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, number);
    std::string text = buffer;
    const int keep = allowsFloats_ ? std::clamp(minimumFractionDigits_, 0, digits) : 0;
    if (auto dot = text.find('.'); dot != std::string::npos) {
        std::size_t end = text.size();
        while (end > dot + 1 + std::size_t(keep) && text[end - 1] == '0')
            --end;
        if (end == dot + 1) end = dot;
        text.erase(end);
    }
    if (text == "-0") text = "0";
    return text;
}

std::optional<double> NumberFormatter::numberFromString(const std::string& text) const
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    double value = 0;
    auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    if (!allowsFloats_ && value != std::floor(value)) return std::nullopt;
    if ((minimum_ && value < *minimum_) || (maximum_ && value > *maximum_)) return std::nullopt;
    return value;
}

double NumberFormatter::clamp(double number) const
{
    if (maximum_) number = std::min(number, *maximum_);
    if (minimum_) number = std::max(number, *minimum_);
    return number;
}

}  // namespace ui
