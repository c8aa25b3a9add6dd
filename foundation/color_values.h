// Plain colour values, one per colour model: bags of components meant to lie in 0...1, with constants, a
// text description and exact equality (a NaN component makes a value unequal to itself). RGBA also reads and
// writes the hexadecimal colour text "#RGB", "#RGBA", "#RRGGBB" and "#RRGGBBAA".
#pragma once

#include <optional>
#include <string>

namespace kestrane {

struct RGBA {
    // Stored red, blue, green, alpha; every text form and call takes red, green, blue, alpha.
    double r;
    double b;
    double g;
    double a;

    RGBA(double r, double g, double b, double a = 1.0) : r(r), b(b), g(g), a(a) {}
    // Parses the hexadecimal colour text after an optional run of white space: "#", then the hex digits
    // (an optional "0x" before them), whose count (3, 4, 6 or 8) chooses the form. A wrong count prints a line.
    static std::optional<RGBA> fromHexString(const std::string& text);

    static const RGBA zero, black, white, clear;

    // "#RRGGBB", or "#RRGGBBAA" when alpha is not 1, upper case; components clamped to 0...1, truncated.
    std::string hexString() const;
    // "RGBA(r, g, b, a)".
    std::string description() const;

    friend bool operator==(const RGBA&, const RGBA&) = default;
};

struct HSBA {
    double h;
    double s;
    double b;
    double a;

    HSBA(double h, double s, double b, double a = 1.0) : h(h), s(s), b(b), a(a) {}
    static const HSBA zero, black, white, clear;
    std::string description() const;
    friend bool operator==(const HSBA&, const HSBA&) = default;
};

struct HSLA {
    double h;
    double s;
    double l;
    double a;

    HSLA(double h, double s, double l, double a = 1.0) : h(h), s(s), l(l), a(a) {}
    static const HSLA zero, black, white, clear;
    std::string description() const;
    friend bool operator==(const HSLA&, const HSLA&) = default;
};

struct CMYKA {
    double c;
    double m;
    double y;
    double k;
    double a;

    CMYKA(double c, double m, double y, double k, double a = 1.0) : c(c), m(m), y(y), k(k), a(a) {}
    // clear is black ink at zero alpha.
    static const CMYKA zero, black, white, clear;
    std::string description() const;
    friend bool operator==(const CMYKA&, const CMYKA&) = default;
};

}  // namespace kestrane
