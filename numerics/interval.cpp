#include "numerics/interval.h"

#include <cmath>

#include "numerics/number_text.h"
#include "numerics/real_number.h"

namespace kestrane {

Interval Interval::fromValues(double value1, double value2)
{
    return value1 <= value2 ? Interval(value1, value2) : Interval(value2, value1);
}

bool Interval::isClosed() const { return std::isfinite(min) && std::isfinite(max); }

double Interval::restrictValue(double x) const
{
    if (x > max) return max;
    if (x < min) return min;
    return x;
}

void Interval::expandToValueInPlace(double x)
{
    if (x < min) min = x;
    if (x > max) max = x;
}

Interval Interval::expandingToValue(double x) const
{
    Interval copy = *this;
    copy.expandToValueInPlace(x);
    return copy;
}

bool Interval::intersects(const Interval& other) const { return intersection(other).has_value(); }

std::optional<Interval> Interval::intersection(const Interval& other) const
{
    double lo = std::max(min, other.min);
    double hi = std::min(max, other.max);
    if (hi >= lo) return Interval(lo, hi);
    return std::nullopt;
}

std::optional<Interval> Interval::intersection(const Interval& a, const Interval& b) { return a.intersection(b); }

Interval Interval::unionWith(const Interval& other) const
{
    return {std::min(min, other.min), std::max(max, other.max)};
}

void Interval::formUnion(const Interval& other) { *this = unionWith(other); }

Interval Interval::unionOf(const Interval& a, const Interval& b) { return a.unionWith(b); }

double Interval::scaleNormalizedValue(double v) const { return v * (max - min) + min; }

double Interval::randomValue() const { return Random<double>::randomValue(min, max); }

std::pair<Interval, Interval> Interval::bissect() const
{
    double m = (max - min) * 0.5 + min;
    return {Interval(min, m), Interval(m, max)};
}

std::pair<std::optional<Interval>, std::optional<Interval>> Interval::bissectAtValue(double x) const
{
    if (x < min) return {std::nullopt, *this};
    if (x > max) return {*this, std::nullopt};
    return {Interval(min, x), Interval(x, max)};
}

bool Interval::overlap(const Interval& other, double tolerance) const
{
    return kestrane::overlap(min, other.min, tolerance) && kestrane::overlap(max, other.max, tolerance);
}

bool Interval::isSimilarTo(const Interval& other, int places) const
{
    return kestrane::isSimilarTo(min, other.min, places) && kestrane::isSimilarTo(max, other.max, places);
}

bool Interval::oneEndPointIsSimilarTo(double x, int places) const
{
    return kestrane::isSimilarTo(x, min, places) && kestrane::isSimilarTo(x, max, places);
}

bool Interval::hasConverged(int places) const
{
    double scale = decimalScale<double>(places);
    return std::floor(min * scale) == std::floor(max * scale);
}

std::string Interval::description() const { return "[" + describe(min) + ", " + describe(max) + "]"; }

}  // namespace kestrane
