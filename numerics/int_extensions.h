// Members of the 64-bit integer: sign, magnitude, power, factorial, clamping, and the static min, max and
// random draw (namespace Int).
#pragma once

#include <cstdint>

namespace kestrane {

// −1 below zero, else 1.
std::int64_t sign(std::int64_t v);
std::int64_t abs(std::int64_t v);
// The math library's pow on doubles, truncated back.
std::int64_t pow(std::int64_t v, std::int64_t exponent);
// 1 up to 1, else 2 × 3 × … × v; needs v <= 20.
std::int64_t factorial(std::int64_t v);
// The upper bound first, then the lower.
std::int64_t clamp(std::int64_t v, std::int64_t min, std::int64_t max);

namespace Int {
// On a tie both give the second argument.
std::int64_t max(std::int64_t a, std::int64_t b);
std::int64_t min(std::int64_t a, std::int64_t b);
// Uniform over 0 … 2147483646.
std::int64_t random();
}  // namespace Int

}  // namespace kestrane
