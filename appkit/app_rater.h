// A modal prompt asking the user to rate the program: at most once per version, never on the launch that
// found a version update, and again two days after "remind me later". Its state lives in the user defaults
// under RaterWakeUpDateKey and RaterRatedVersionKey. Main thread only.
#pragma once

#include "foundation/constants.h"
#include "platform/core/date.h"

namespace kestrane {

class AppRater {
public:
    AppRater() = delete;

    // Asks now: Rate records the version and opens the store page, Cancel records the version, Remind
    // postpones the next prompt by two days.
    static void showWindow();
    // Asks when it is time to.
    static void showWindowIfNeed();

private:
    // The earliest date of the next prompt; yesterday when none is stored.
    static core::Date wakeUpDate();
    // Whether the stored rated version is exactly the main bundle's version number.
    static bool versionWasRated();
    static bool shouldPropose();
};

}  // namespace kestrane
