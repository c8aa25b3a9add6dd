// A point in time: seconds since 2001-01-01 00:00:00 UTC, as a plain value. The current date comes from the
// process's clock, which tests may replace.
#pragma once

#include <compare>
#include <memory>

namespace core {

class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double secondsSinceReferenceDate) : seconds_(secondsSinceReferenceDate) {}

    // Seconds between 1970-01-01 and 2001-01-01, both UTC.
    static constexpr double unixEpochOffset = 978307200.0;

    static Date now();
    static Date fromUnixTime(double seconds) { return Date(seconds - unixEpochOffset); }

    double timeIntervalSinceReferenceDate() const { return seconds_; }
    double timeIntervalSince1970() const { return seconds_ + unixEpochOffset; }
    double timeIntervalSince(Date other) const { return seconds_ - other.seconds_; }
    Date addingTimeInterval(double seconds) const { return Date(seconds_ + seconds); }

    friend bool operator==(Date, Date) = default;
    friend auto operator<=>(Date, Date) = default;

private:
    double seconds_ = 0;
};

// Where the current date comes from. Safe from any thread.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date now() const = 0;

    // The clock Date::now() reads: the system clock unless a test set another.
    static std::shared_ptr<const Clock> current();
    // Replaces the current clock; null restores the system clock.
    static void setCurrent(std::shared_ptr<const Clock> clock);
};

// A clock that stands still at a given date until moved; for tests.
class FixedClock : public Clock {
public:
    explicit FixedClock(Date date) : date_(date) {}
    Date now() const override { return date_; }

private:
    Date date_;
};

}  // namespace core
