// Time values as the program uses them: times made from seconds in nanoseconds, near-equality, halves, the
// clock texts of displays and snap file names, and splitting into equal pieces.
#pragma once

#include "foundation/time_split.h"
#include "platform/media/time.h"

#include <cstdint>
#include <string>

namespace kestrane {

// Named apart from media::Time so that `using namespace kestrane;` next to `using media::Time;` stays unambiguous.
struct TimeStatics {
    TimeStatics() = delete;

    static media::Time zero() { return media::Time::zero(); }
    static media::Time invalid() { return media::Time::invalid(); }
    static media::Time indefinite() { return media::Time::indefinite(); }
    static media::Time positiveInfinity() { return media::Time::positiveInfinity(); }
    static media::Time negativeInfinity() { return media::Time::negativeInfinity(); }
    // Seconds as a time at timescale 1,000,000,000, rounded half away from zero.
    static media::Time withSeconds(double seconds);
};

// |t − other| < tolerance, strictly.
bool isNearlyEqualTo(const media::Time& t, const media::Time& other,
                     const media::Time& tolerance = media::Time::make(1, 600));
// The same with the tolerance in seconds (made at timescale 1,000,000,000).
bool isNearlyEqualTo(const media::Time& t, const media::Time& other, double tolerance);

// Half the time (not the middle of a range).
media::Time middle(const media::Time& t);

struct ClockFields {
    double hh = 0;
    double mm = 0;
    double ss = 0;
};

struct ClockFieldsWithMilliseconds {
    double hh = 0;
    double mm = 0;
    double ss = 0;
    double ms = 0;  // whole: 0 ≤ ms < 1000
};

// Every clock field comes from one count of milliseconds rounded half away from zero, so that all texts of
// one time agree and the last field always has three digits: 5.9996 s reads "00:00:06" and "00:00:06:000".
// Hours, minutes and seconds are those of the whole seconds of that count (its floor, with truncating
// division, so −1.5 s gives 0, 0, −2 and 500 ms). Times without a finite number of seconds in the 64-bit
// range give zeros.
ClockFields hhmmss(const media::Time& t);
ClockFieldsWithMilliseconds hhmmssms(const media::Time& t);

// "01:02:05" and "01-02-05".
std::string hhmmssDesc(const media::Time& t);
std::string hhmmssName(const media::Time& t);
// "01:02:05:500" and "01-02-05-500".
std::string hhmmssmsDesc(const media::Time& t);
std::string hhmmssmsName(const media::Time& t);

// The middles of `count` equal pieces of [0, t).
TimeSplitIterator split(const media::Time& t, std::int64_t count);

}  // namespace kestrane
