// A point or span on a media timeline as an exact rational number of seconds: value / timescale, with flags
// for the special values (invalid, the infinities, indefinite) and an epoch that orders otherwise equal times.
// A value type; every operation is exact where the result fits, rounding half away from zero (and setting
// hasBeenRounded) only where it does not.
#pragma once

#include <compare>
#include <cstdint>

namespace media {

namespace TimeFlags {
constexpr std::uint32_t valid = 1u << 0;
constexpr std::uint32_t hasBeenRounded = 1u << 1;
constexpr std::uint32_t positiveInfinity = 1u << 2;
constexpr std::uint32_t negativeInfinity = 1u << 3;
constexpr std::uint32_t indefinite = 1u << 4;
}  // namespace TimeFlags

enum class Rounding {
    halfAwayFromZero,  // the default
    towardZero,
    awayFromZero,
    towardPositiveInfinity,
    towardNegativeInfinity,
};

struct Time {
    std::int64_t value = 0;
    std::int32_t timescale = 0;
    std::uint32_t flags = 0;
    std::int64_t epoch = 0;

    static constexpr std::int32_t maxTimescale = 0x7fffffff;

    // value / timescale seconds; a timescale that is not positive gives the invalid time.
    static Time make(std::int64_t value, std::int32_t timescale);
    // round(seconds · timescale); NaN or a timescale that is not positive gives invalid, ±∞ the infinities.
    static Time withSeconds(double seconds, std::int32_t timescale);

    static Time zero() { return make(0, 1); }
    static Time invalid() { return {}; }
    static Time indefinite() { return {0, 0, TimeFlags::valid | TimeFlags::indefinite, 0}; }
    static Time positiveInfinity() { return {0, 0, TimeFlags::valid | TimeFlags::positiveInfinity, 0}; }
    static Time negativeInfinity() { return {0, 0, TimeFlags::valid | TimeFlags::negativeInfinity, 0}; }

    bool isValid() const { return flags & TimeFlags::valid; }
    bool isIndefinite() const { return isValid() && (flags & TimeFlags::indefinite); }
    bool isPositiveInfinity() const { return isValid() && (flags & TimeFlags::positiveInfinity); }
    bool isNegativeInfinity() const { return isValid() && (flags & TimeFlags::negativeInfinity); }
    // Valid and neither infinite nor indefinite.
    bool isNumeric() const
    {
        return isValid() &&
               !(flags & (TimeFlags::indefinite | TimeFlags::positiveInfinity | TimeFlags::negativeInfinity));
    }
    bool hasBeenRounded() const { return flags & TimeFlags::hasBeenRounded; }

    // The time in seconds; ±∞ for the infinities, NaN for invalid and indefinite times.
    double seconds() const;
};

// The same time on another timescale (rounded as asked). Non-numeric times pass through; a timescale that is
// not positive gives invalid; a value that no longer fits gives the infinity of its sign.
Time convertScale(const Time& t, std::int32_t timescale, Rounding rounding = Rounding::halfAwayFromZero);

// Sums and differences on a common timescale (the same one, else the least common multiple when it fits).
Time add(const Time& a, const Time& b);
Time subtract(const Time& a, const Time& b);
// −1, 0 or 1. Order: −∞ < numeric < indefinite < +∞ < invalid; a larger epoch is later.
int compare(const Time& a, const Time& b);

// value · n on the same timescale.
Time multiply(const Time& t, std::int32_t n);
Time multiplyByFloat64(const Time& t, double x);
// t · m / d, exact when the reduced fraction fits.
Time multiplyByRatio(const Time& t, std::int32_t m, std::int32_t d);
Time absoluteValue(const Time& t);
Time minimum(const Time& a, const Time& b);
Time maximum(const Time& a, const Time& b);

inline Time operator+(const Time& a, const Time& b) { return add(a, b); }
inline Time operator-(const Time& a, const Time& b) { return subtract(a, b); }
inline bool operator==(const Time& a, const Time& b) { return compare(a, b) == 0; }
inline std::strong_ordering operator<=>(const Time& a, const Time& b) { return compare(a, b) <=> 0; }

}  // namespace media
