#include "foundation/time_values.h"

#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

constexpr double int64Low = -9.223372036854778e18;
constexpr double int64High = 9.223372036854776e18;

ClockFieldsWithMilliseconds roundedFields(const media::Time& t)
{
    double seconds = t.seconds();
    if (!std::isfinite(seconds)) return {};
    double milliseconds = std::round(seconds * 1000);
    if (!(milliseconds > int64Low && milliseconds < int64High)) return {};
    auto count = std::int64_t(milliseconds);
    std::int64_t whole = count / 1000 - (count % 1000 < 0 ? 1 : 0);
    return {double(whole / 3600), double(whole % 3600 / 60), double(whole % 3600 % 60), double(count - whole * 1000)};
}

std::string format(const char* pattern, double a, double b, double c)
{
    char text[96];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

std::string format(const char* pattern, const ClockFieldsWithMilliseconds& f)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, f.hh, f.mm, f.ss, f.ms);
    return text;
}

}  // namespace

media::Time TimeStatics::withSeconds(double seconds) { return media::Time::withSeconds(seconds, 1000000000); }

bool isNearlyEqualTo(const media::Time& t, const media::Time& other, const media::Time& tolerance)
{
    return media::compare(media::absoluteValue(t - other), tolerance) < 0;
}

bool isNearlyEqualTo(const media::Time& t, const media::Time& other, double tolerance)
{
    return isNearlyEqualTo(t, other, TimeStatics::withSeconds(tolerance));
}

media::Time middle(const media::Time& t) { return media::multiplyByRatio(t, 1, 2); }

ClockFields hhmmss(const media::Time& t)
{
    ClockFieldsWithMilliseconds f = roundedFields(t);
    return {f.hh, f.mm, f.ss};
}

ClockFieldsWithMilliseconds hhmmssms(const media::Time& t) { return roundedFields(t); }

std::string hhmmssDesc(const media::Time& t)
{
    ClockFields f = hhmmss(t);
    return format("%02.0f:%02.0f:%02.0f", f.hh, f.mm, f.ss);
}

std::string hhmmssName(const media::Time& t)
{
    ClockFields f = hhmmss(t);
    return format("%02.0f-%02.0f-%02.0f", f.hh, f.mm, f.ss);
}

std::string hhmmssmsDesc(const media::Time& t) { return format("%02.0f:%02.0f:%02.0f:%03.0f", roundedFields(t)); }

std::string hhmmssmsName(const media::Time& t) { return format("%02.0f-%02.0f-%02.0f-%03.0f", roundedFields(t)); }

TimeSplitIterator split(const media::Time& t, std::int64_t count) { return {media::Time::zero(), t, count}; }

}  // namespace kestrane
