// The real-number members shared by float and double (double is the geometry's coordinate type): decimal
// rounding, similarity and overlap tests, clamping, snapping, unit conversions and integer conversions.
// Every decimal operation scales by 10^p computed in the value's own type; nothing goes through text.
#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "numerics/numeric_defaults.h"

namespace kestrane {

template <class T>
concept RealNumber = std::floating_point<T>;

// The value truncated toward zero to a 64-bit integer: 0 for NaN, the nearest end of the integer range for
// infinities and for values beyond it. Every integer conversion below goes through it.
template <RealNumber T>
std::int64_t intValue(T v)
{
    // −2^63 is exact in every floating-point type; 2^63 is its negation.
    constexpr T lowest = T(std::numeric_limits<std::int64_t>::min());
    if (std::isnan(v)) return 0;
    if (v <= lowest) return std::numeric_limits<std::int64_t>::min();
    if (v >= -lowest) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(v);
}

template <RealNumber T>
double doubleValue(T v)
{
    return static_cast<double>(v);
}

template <RealNumber T>
T decimalScale(int places)
{
    return std::pow(T(10), T(places));
}

template <RealNumber T>
bool isSimilarTo(T v, T other, int places = SimilarityPlaces)
{
    T scale = decimalScale<T>(places);
    return std::round(v * scale) == std::round(other * scale);
}

template <RealNumber T>
bool overlap(T v, T other, T tolerance = T(OverlapTolerance))
{
    T d = v - other;
    return -tolerance <= d && d <= tolerance;
}

template <RealNumber T>
T round(T v)
{
    return std::round(v);
}

template <RealNumber T>
T round(T v, int places)
{
    T scale = decimalScale<T>(places);
    return std::round(v * scale) / scale;
}

template <RealNumber T>
T truncate(T v, int places)
{
    T scale = decimalScale<T>(places);
    return T(intValue(v * scale)) / scale;
}

// 1 for zero (either sign) and above, −1 below zero and for NaN.
template <RealNumber T>
T sign(T v)
{
    return v >= 0 ? T(1) : T(-1);
}

template <RealNumber T>
T abs(T v)
{
    return std::fabs(v);
}

// The magnitude by comparison: −0.0 stays −0.0.
template <RealNumber T>
T norm(T v)
{
    return v >= 0 ? v : -v;
}

template <RealNumber T>
bool isInteger(T v)
{
    return v == std::floor(v);
}

template <RealNumber T>
T mm2inches(T v)
{
    return v * T(0.0393700787);
}

template <RealNumber T>
T mm2points(T v)
{
    return v * T(2.834645669);
}

template <RealNumber T>
T points2inches(T v)
{
    return v * T(0.0138889);
}

template <RealNumber T>
T points2mm(T v)
{
    return v * T(0.352778);
}

template <RealNumber T>
T days2seconds(T v)
{
    return v * T(86400);
}

template <RealNumber T>
T weeks2seconds(T v)
{
    return v * T(604800);
}

template <RealNumber T>
T pow(T v, T exponent)
{
    return std::pow(v, exponent);
}

// Truncated, not rounded: 0.5 gives 127, 1.0 gives 255.
template <RealNumber T>
std::int64_t toByte(T v)
{
    return intValue(v * T(255));
}

template <RealNumber T>
T sqrt(T v)
{
    return std::sqrt(v);
}

template <RealNumber T>
T floor(T v)
{
    return std::floor(v);
}

template <RealNumber T>
T ceil(T v)
{
    return std::ceil(v);
}

template <RealNumber T>
T mod(T v, T divisor)
{
    return std::fmod(v, divisor);
}

template <RealNumber T>
std::int64_t ceilInt(T v)
{
    return intValue(std::ceil(v));
}

template <RealNumber T>
std::int64_t floorInt(T v)
{
    return intValue(std::floor(v));
}

template <RealNumber T>
std::int64_t roundInt(T v)
{
    return intValue(std::round(v));
}

// Rounded to the places, then truncated toward zero.
template <RealNumber T>
std::int64_t roundInt(T v, int places)
{
    return intValue(round(v, places));
}

template <RealNumber T>
T positiveMod(T v, T divisor)
{
    T r = std::fmod(v, divisor);
    return r < 0 ? r + divisor : r;
}

// The target when strictly within the tolerance of it, else the value.
template <RealNumber T>
T glue(T v, T target, T tolerance)
{
    return target - tolerance < v && v < target + tolerance ? target : v;
}

// The upper bound is applied first, so min wins when min > max.
template <RealNumber T>
T clamp(T v, T min, T max)
{
    return std::max(min, std::min(v, max));
}

// Random values of a real type: a 32-bit draw, one of the 100 values 0.00 … 0.99, or one of 100 values
// spread from low up to, not including, max.
template <RealNumber T>
struct Random {
    static T randomValue() { return T(arc4random()); }
    static T randomUnitValue() { return T(arc4random() % 100) / T(100); }
    static T randomValue(T low, T max) { return low + randomUnitValue() * (max - low); }
};

}  // namespace kestrane
