#include "platform/media/time.h"

#include <cmath>
#include <limits>

namespace media {

namespace {

using Int128 = __int128;

constexpr Int128 int64Min = std::numeric_limits<std::int64_t>::min();
constexpr Int128 int64Max = std::numeric_limits<std::int64_t>::max();

bool fitsInt64(Int128 v) { return v >= int64Min && v <= int64Max; }

Int128 absolute(Int128 v) { return v < 0 ? -v : v; }

Int128 gcd(Int128 a, Int128 b)
{
    a = absolute(a);
    b = absolute(b);
    while (b != 0) {
        Int128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// num / den rounded as asked; den must be positive. Sets inexact when a remainder was dropped.
Int128 divide(Int128 num, Int128 den, Rounding rounding, bool& inexact)
{
    Int128 q = num / den;
    Int128 r = num % den;
    if (r == 0) return q;
    inexact = true;
    Int128 away = num < 0 ? -1 : 1;
    switch (rounding) {
    case Rounding::towardZero:
        return q;
    case Rounding::awayFromZero:
        return q + away;
    case Rounding::towardPositiveInfinity:
        return num > 0 ? q + 1 : q;
    case Rounding::towardNegativeInfinity:
        return num < 0 ? q - 1 : q;
    case Rounding::halfAwayFromZero:
        break;
    }
    return 2 * absolute(r) >= den ? q + away : q;
}

Time infinityOfSign(bool negative) { return negative ? Time::negativeInfinity() : Time::positiveInfinity(); }

std::uint32_t roundedFlag(bool rounded) { return TimeFlags::valid | (rounded ? TimeFlags::hasBeenRounded : 0); }

// The exact rational num / den (den > 0) on the timescale asked for. When the value does not fit, the
// timescale is halved until it does (an infinity once past timescale 1), or, without halving, the infinity
// of the value's sign comes back at once.
Time fitRational(Int128 num, Int128 den, Int128 timescale, bool rounded, std::int64_t epoch, bool halving = true,
                 Rounding rounding = Rounding::halfAwayFromZero)
{
    for (;;) {
        bool inexact = false;
        Int128 value = divide(num * timescale, den, rounding, inexact);
        if (fitsInt64(value))
            return {std::int64_t(value), std::int32_t(timescale), roundedFlag(rounded || inexact), epoch};
        if (!halving || timescale == 1) return infinityOfSign(num < 0);
        timescale /= 2;
        rounded = true;
    }
}

// A product computed in long double (value · timescale units) put on a time, halving on overflow.
Time fitProduct(long double product, std::int32_t timescale, bool rounded, std::int64_t epoch)
{
    constexpr long double limit = 9223372036854775807.0L;
    for (;;) {
        long double value = std::round(product);
        if (std::fabs(value) <= limit)
            return {std::int64_t(value), timescale, roundedFlag(rounded || value != product), epoch};
        if (timescale == 1) return infinityOfSign(product < 0);
        timescale /= 2;
        product /= 2;
        rounded = true;
    }
}

// Ranks in the total order of times.
int rankOf(const Time& t)
{
    if (!t.isValid()) return 4;
    if (t.isPositiveInfinity()) return 3;
    if (t.isIndefinite()) return 2;
    if (t.isNegativeInfinity()) return 0;
    return 1;
}

bool isRounded(const Time& a, const Time& b) { return (a.flags | b.flags) & TimeFlags::hasBeenRounded; }

// a + sign · b, for sign ±1.
Time addSigned(const Time& a, const Time& b, int sign)
{
    if (!a.isValid() || !b.isValid()) return Time::invalid();
    bool aPositive = a.isPositiveInfinity(), aNegative = a.isNegativeInfinity();
    bool bPositive = sign > 0 ? b.isPositiveInfinity() : b.isNegativeInfinity();
    bool bNegative = sign > 0 ? b.isNegativeInfinity() : b.isPositiveInfinity();
    if ((aPositive && bNegative) || (aNegative && bPositive)) return Time::invalid();
    if (aPositive || bPositive) return Time::positiveInfinity();
    if (aNegative || bNegative) return Time::negativeInfinity();
    if (a.isIndefinite() || b.isIndefinite()) return Time::indefinite();
    if (a.epoch != b.epoch) return Time::invalid();

    bool rounded = isRounded(a, b);
    if (a.timescale == b.timescale) {
        Int128 sum = Int128(a.value) + sign * Int128(b.value);
        return fitRational(sum, a.timescale, a.timescale, rounded, a.epoch);
    }
    Int128 lcm = Int128(a.timescale) / gcd(a.timescale, b.timescale) * b.timescale;
    Int128 sum = Int128(a.value) * (lcm / a.timescale) + sign * Int128(b.value) * (lcm / b.timescale);
    Int128 timescale = lcm <= Time::maxTimescale ? lcm : Int128(Time::maxTimescale);
    return fitRational(sum, lcm, timescale, rounded, a.epoch);
}

}  // namespace

Time Time::make(std::int64_t value, std::int32_t timescale)
{
    if (timescale <= 0) return invalid();
    return {value, timescale, TimeFlags::valid, 0};
}

Time Time::withSeconds(double seconds, std::int32_t timescale)
{
    if (timescale <= 0 || std::isnan(seconds)) return invalid();
    if (std::isinf(seconds)) return infinityOfSign(seconds < 0);
    return fitProduct((long double)seconds * timescale, timescale, false, 0);
}

double Time::seconds() const
{
    if (isNumeric()) return double((long double)value / timescale);
    if (isPositiveInfinity()) return std::numeric_limits<double>::infinity();
    if (isNegativeInfinity()) return -std::numeric_limits<double>::infinity();
    return std::numeric_limits<double>::quiet_NaN();
}

Time convertScale(const Time& t, std::int32_t timescale, Rounding rounding)
{
    if (!t.isNumeric()) return t;
    if (timescale <= 0) return Time::invalid();
    if (timescale == t.timescale) return t;
    return fitRational(t.value, t.timescale, timescale, t.hasBeenRounded(), t.epoch, false, rounding);
}

Time add(const Time& a, const Time& b) { return addSigned(a, b, 1); }

Time subtract(const Time& a, const Time& b) { return addSigned(a, b, -1); }

int compare(const Time& a, const Time& b)
{
    int ra = rankOf(a), rb = rankOf(b);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (ra != 1) return 0;
    if (a.epoch != b.epoch) return a.epoch < b.epoch ? -1 : 1;
    Int128 left = Int128(a.value) * b.timescale;
    Int128 right = Int128(b.value) * a.timescale;
    return left < right ? -1 : left > right ? 1 : 0;
}

Time multiply(const Time& t, std::int32_t n)
{
    if (!t.isNumeric()) return t;
    return fitRational(Int128(t.value) * n, t.timescale, t.timescale, t.hasBeenRounded(), t.epoch);
}

Time multiplyByFloat64(const Time& t, double x)
{
    if (!t.isNumeric()) return t;
    if (std::isnan(x)) return Time::invalid();
    if (std::isinf(x)) return t.value == 0 ? Time::invalid() : infinityOfSign((t.value < 0) != (x < 0));
    Int128 value = t.value;
    std::int32_t timescale = t.timescale;
    while (timescale < 65536) {
        timescale *= 2;
        value *= 2;
    }
    Time result = fitProduct((long double)value * x, timescale, t.hasBeenRounded(), t.epoch);
    return result;
}

Time multiplyByRatio(const Time& t, std::int32_t m, std::int32_t d)
{
    if (!t.isNumeric()) return t;
    if (d == 0) return (t.value == 0 || m == 0) ? Time::invalid() : infinityOfSign((t.value < 0) != (m < 0));
    Int128 num = Int128(t.value) * m;
    Int128 den = Int128(t.timescale) * d;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    bool rounded = t.hasBeenRounded();
    if (num == 0) return {0, t.timescale, roundedFlag(rounded), t.epoch};
    Int128 g = gcd(num, den);
    num /= g;
    den /= g;
    if (den <= Time::maxTimescale) return fitRational(num, den, den, rounded, t.epoch);
    // Not representable exactly: the original timescale or the finest one, whichever errs less.
    auto errorOn = [&](Int128 timescale) {
        bool inexact = false;
        Int128 value = divide(num * timescale, den, Rounding::halfAwayFromZero, inexact);
        return (long double)absolute(value * den - num * timescale) / ((long double)timescale * den);
    };
    Int128 timescale = errorOn(Time::maxTimescale) < errorOn(t.timescale) ? Time::maxTimescale : t.timescale;
    return fitRational(num, den, timescale, rounded, t.epoch);
}

Time absoluteValue(const Time& t)
{
    if (t.isNegativeInfinity()) return Time::positiveInfinity();
    if (!t.isNumeric() || t.value >= 0) return t;
    return fitRational(-Int128(t.value), t.timescale, t.timescale, t.hasBeenRounded(), t.epoch);
}

Time minimum(const Time& a, const Time& b)
{
    if (!a.isValid() || !b.isValid()) return Time::invalid();
    return compare(a, b) <= 0 ? a : b;
}

Time maximum(const Time& a, const Time& b)
{
    if (!a.isValid() || !b.isValid()) return Time::invalid();
    return compare(a, b) >= 0 ? a : b;
}

}  // namespace media
