// An implicit line a·x + b·y + c = 0. Built from two points it is normalised (a² + b² = 1), so distance()
// is the signed distance; built from coefficients it keeps them.
#pragma once

#include <optional>

#include "platform/gfx/point.h"

namespace kestrane {

struct Line {
    double a = 0;
    double b = 0;
    double c = 0;

    Line() = default;
    Line(double a, double b, double c) : a(a), b(b), c(c) {}
    // The normalised line through both points; all zero when they coincide.
    static Line through(const gfx::Point& p1, const gfx::Point& p2);

    Line withA(double value) const { return {value, b, c}; }
    Line withB(double value) const { return {a, value, c}; }
    Line withC(double value) const { return {a, b, value}; }

    // a·x + b·y + c, signed, undivided.
    double distance(const gfx::Point& p) const { return a * p.x + b * p.y + c; }
    void offsetBy(double d) { c += d; }
    // The common point; nothing for parallel or identical lines.
    std::optional<gfx::Point> intersects(const Line& other) const;

    friend bool operator==(const Line&, const Line&) = default;
};

}  // namespace kestrane
