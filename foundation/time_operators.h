// Arithmetic of times with integers and with seconds given as doubles, and the ratio of two times. Callers
// outside namespace kestrane bring these in with `using namespace kestrane;`.
#pragma once

#include "platform/media/time.h"

#include <compare>
#include <cstdint>

namespace kestrane {

media::Time& operator+=(media::Time& t, const media::Time& u);
media::Time& operator-=(media::Time& t, const media::Time& u);

media::Time operator*(const media::Time& t, std::int32_t n);
media::Time operator*(std::int32_t n, const media::Time& t);
media::Time operator*(const media::Time& t, double x);
media::Time operator*(double x, const media::Time& t);
media::Time& operator*=(media::Time& t, std::int32_t n);
media::Time& operator*=(media::Time& t, double x);

// t · 1 / n.
media::Time operator/(const media::Time& t, std::int32_t n);
media::Time& operator/=(media::Time& t, std::int32_t n);

// The ratio of the two times, (u.timescale · t.value) / (t.timescale · u.value), from the raw fields without
// looking at the flags: a zero u.value (invalid and indefinite times included) gives ±∞ or NaN.
double operator/(const media::Time& t, const media::Time& u);

// The ratio truncated toward zero to a whole count; 0 when the ratio is NaN, the 64-bit limits when it is
// infinite or too large. For callers that turn a ratio of times into a number of frames or pieces.
std::int64_t wholeRatio(const media::Time& t, const media::Time& u);

// Comparisons with seconds, which become a time at timescale 1,000,000,000 first.
bool operator==(const media::Time& t, double x);
std::strong_ordering operator<=>(const media::Time& t, double x);

}  // namespace kestrane
