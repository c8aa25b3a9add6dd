#include "foundation/color_values.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include "platform/core/print.h"

namespace kestrane {

namespace {

// A double as the standard text: up to 15 significant digits, ".0" added to whole numbers.
std::string doubleText(double v)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    std::string text = buffer;
    if (std::isfinite(v) && text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string describe(const char* name, std::initializer_list<double> components)
{
    std::string text = std::string(name) + "(";
    bool first = true;
    for (double c : components) {
        if (!first) text += ", ";
        text += doubleText(c);
        first = false;
    }
    return text + ")";
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int byteOf(double component)
{
    const double clamped = std::isnan(component) ? 0.0 : std::clamp(component, 0.0, 1.0);
    return int(clamped * 255.0);
}

}  // namespace

const RGBA RGBA::zero{0, 0, 0, 0};
const RGBA RGBA::black{0, 0, 0, 1};
const RGBA RGBA::white{1, 1, 1, 1};
const RGBA RGBA::clear{0, 0, 0, 0};
const HSBA HSBA::zero{0, 0, 0, 0};
const HSBA HSBA::black{0, 0, 0, 1};
const HSBA HSBA::white{0, 0, 1, 1};
const HSBA HSBA::clear{0, 0, 0, 0};
const HSLA HSLA::zero{0, 0, 0, 0};
const HSLA HSLA::black{0, 0, 0, 1};
const HSLA HSLA::white{0, 0, 1, 1};
const HSLA HSLA::clear{0, 0, 0, 0};
const CMYKA CMYKA::zero{0, 0, 0, 0, 0};
const CMYKA CMYKA::black{0, 0, 0, 1, 1};
const CMYKA CMYKA::white{0, 0, 0, 0, 1};
const CMYKA CMYKA::clear{0, 0, 0, 1, 0};

std::optional<RGBA> RGBA::fromHexString(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (i >= text.size() || text[i] != '#') return std::nullopt;
    ++i;
    const bool prefixed = i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
    if (prefixed && hexDigit(text[i + 2]) >= 0) i += 2;
    std::uint64_t v = 0;
    std::size_t digits = 0;
    for (; i < text.size() && hexDigit(text[i]) >= 0; ++i, ++digits)
        v = (v << 4) | std::uint64_t(hexDigit(text[i]));
    if (digits == 0) return std::nullopt;
    const auto nibble = [v](int shift) { return double((v >> shift) & 0xF) / 15.0; };
    const auto byte = [v](int shift) { return double((v >> shift) & 0xFF) / 255.0; };
    switch (digits) {
    case 3:
        return RGBA(nibble(8), nibble(4), nibble(0), 1);
    case 4:
        return RGBA(nibble(12), nibble(8), nibble(4), nibble(0));
    case 6:
        return RGBA(byte(16), byte(8), byte(0), 1);
    case 8:
        return RGBA(byte(24), byte(16), byte(8), byte(0));
    default:
        break;
    }
    core::print("Invalid hex string, number of chars after '#' should be either 3, 4, 6 or 8");
    return std::nullopt;
}

std::string RGBA::hexString() const
{
    char buffer[16];
    if (a == 1.0)
        std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", byteOf(r), byteOf(g), byteOf(b));
    else
        std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X%02X", byteOf(r), byteOf(g), byteOf(b), byteOf(a));
    return buffer;
}

std::string RGBA::description() const { return describe("RGBA", {r, g, b, a}); }

std::string HSBA::description() const { return describe("HSBA", {h, s, b, a}); }

std::string HSLA::description() const { return describe("HSLA", {h, s, l, a}); }

std::string CMYKA::description() const { return describe("CMYKA", {c, m, y, k, a}); }

}  // namespace kestrane
