#include "foundation/time_operators.h"

#include "foundation/time_values.h"

#include <cmath>
#include <limits>

namespace kestrane {

media::Time& operator+=(media::Time& t, const media::Time& u) { return t = media::add(t, u); }

media::Time& operator-=(media::Time& t, const media::Time& u) { return t = media::subtract(t, u); }

media::Time operator*(const media::Time& t, std::int32_t n) { return media::multiply(t, n); }

media::Time operator*(std::int32_t n, const media::Time& t) { return media::multiply(t, n); }

media::Time operator*(const media::Time& t, double x) { return media::multiplyByFloat64(t, x); }

media::Time operator*(double x, const media::Time& t) { return media::multiplyByFloat64(t, x); }

media::Time& operator*=(media::Time& t, std::int32_t n) { return t = media::multiply(t, n); }

media::Time& operator*=(media::Time& t, double x) { return t = media::multiplyByFloat64(t, x); }

media::Time operator/(const media::Time& t, std::int32_t n) { return media::multiplyByRatio(t, 1, n); }

media::Time& operator/=(media::Time& t, std::int32_t n) { return t = media::multiplyByRatio(t, 1, n); }

double operator/(const media::Time& t, const media::Time& u)
{
    // Products in 128 bits: no overflow whatever the fields hold.
    __int128 numerator = __int128(u.timescale) * t.value;
    __int128 denominator = __int128(t.timescale) * u.value;
    return double(numerator) / double(denominator);
}

std::int64_t wholeRatio(const media::Time& t, const media::Time& u)
{
    double ratio = t / u;
    if (std::isnan(ratio)) return 0;
    constexpr double limit = 9.223372036854775807e18;
    if (ratio >= limit) return std::numeric_limits<std::int64_t>::max();
    if (ratio <= -limit) return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(std::trunc(ratio));
}

bool operator==(const media::Time& t, double x) { return media::compare(t, TimeStatics::withSeconds(x)) == 0; }

std::strong_ordering operator<=>(const media::Time& t, double x)
{
    return media::compare(t, TimeStatics::withSeconds(x)) <=> 0;
}

}  // namespace kestrane
