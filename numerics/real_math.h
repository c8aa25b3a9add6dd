// The math-library functions of a real type, at that type's width (single precision for float).
#pragma once

#include <cmath>

#include "numerics/real_number.h"

namespace kestrane {

template <RealNumber T>
struct RealMath {
    static std::int64_t intValue(T v) { return kestrane::intValue(v); }
    static double doubleValue(T v) { return static_cast<double>(v); }
    // On a tie min gives the first argument and max the second.
    static T min(T a, T b) { return b < a ? b : a; }
    static T max(T a, T b) { return a <= b ? b : a; }
    static T abs(T v) { return std::fabs(v); }
    static T floor(T v) { return std::floor(v); }
    static T ceil(T v) { return std::ceil(v); }
    static T round(T v) { return std::round(v); }
    static T mod(T a, T b) { return std::fmod(a, b); }
    static T pow(T base, T exponent) { return std::pow(base, exponent); }
    static T hypot(T a, T b) { return std::hypot(a, b); }
    static T atan2(T y, T x) { return std::atan2(y, x); }
    static T exp(T v) { return std::exp(v); }
    static T log(T v) { return std::log(v); }
    static T sqrt(T v) { return std::sqrt(v); }
    static T cos(T v) { return std::cos(v); }
    static T sin(T v) { return std::sin(v); }
    static T tan(T v) { return std::tan(v); }
    static T atan(T v) { return std::atan(v); }
    static T asin(T v) { return std::asin(v); }
    static T acos(T v) { return std::acos(v); }
    static T sinh(T v) { return std::sinh(v); }
    static T cosh(T v) { return std::cosh(v); }
    static T tanh(T v) { return std::tanh(v); }
    static T asinh(T v) { return std::asinh(v); }
    static T acosh(T v) { return std::acosh(v); }
    static T atanh(T v) { return std::atanh(v); }
};

using Double = RealMath<double>;
using Float = RealMath<float>;

}  // namespace kestrane
