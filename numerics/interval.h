// A closed range of reals [min, max], with clamping, intersection and union, bisection, mapping of a
// normalised value, and decimal-place and tolerance comparisons. Nothing enforces min <= max.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "numerics/numeric_defaults.h"

namespace kestrane {

struct Interval {
    double min = 0;
    double max = 0;

    Interval() = default;
    Interval(double min, double max) : min(min), max(max) {}
    // The two values in either order.
    static Interval fromValues(double value1, double value2);

    static Interval zero() { return {0, 0}; }
    static Interval unit() { return {0, 1}; }

    double length() const { return max - min; }
    double middle() const { return min + (max - min) * 0.5; }
    bool isValid() const { return max >= min; }
    // Both ends finite.
    bool isClosed() const;
    Interval withMin(double newMin) const { return {newMin, max}; }
    Interval withMax(double newMax) const { return {min, newMax}; }
    bool contains(double x) const { return min <= x && x <= max; }

    // The upper bound is tested first.
    double restrictValue(double x) const;
    void expandToValueInPlace(double x);
    Interval expandingToValue(double x) const;

    bool intersects(const Interval& other) const;
    // Nothing when disjoint; touching intervals give a one-point interval.
    std::optional<Interval> intersection(const Interval& other) const;
    static std::optional<Interval> intersection(const Interval& a, const Interval& b);
    Interval unionWith(const Interval& other) const;
    void formUnion(const Interval& other);
    static Interval unionOf(const Interval& a, const Interval& b);

    // v × length + min, unclamped.
    double scaleNormalizedValue(double v) const;
    // One of 100 evenly spaced values from min up to, not including, max.
    double randomValue() const;
    std::pair<Interval, Interval> bissect() const;
    // Nothing on the side the value lies beyond.
    std::pair<std::optional<Interval>, std::optional<Interval>> bissectAtValue(double x) const;

    bool overlap(const Interval& other, double tolerance = OverlapTolerance) const;
    bool isSimilarTo(const Interval& other, int places = SimilarityPlaces) const;
    // Both ends similar to x: the interval has shrunk to that point.
    bool oneEndPointIsSimilarTo(double x, int places = SimilarityPlaces) const;
    // Both ends fall in the same cell of width 10^-places.
    bool hasConverged(int places) const;

    // "[min, max]", e.g. "[0.0, 1.5]".
    std::string description() const;

    friend bool operator==(const Interval&, const Interval&) = default;
};

}  // namespace kestrane
