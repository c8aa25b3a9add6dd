#include "platform/core/calendar.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>
#include <cstdlib>
#include <ctime>

#include "platform/core/date_format.h"

using core::Calendar;
using core::Date;

namespace {

// Runs a test body in a given time zone, restoring the previous one afterwards.
class TimeZoneScope {
public:
    explicit TimeZoneScope(const char* zone)
    {
        if (const char* current = std::getenv("TZ")) previous_ = current;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZoneScope()
    {
        if (previous_)
            setenv("TZ", previous_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> previous_;
};

Date local(int year, int month, int day, int hour, int minute, int second = 0)
{
    const QDateTime moment(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::systemTimeZone());
    return Date::fromUnixTime(double(moment.toMSecsSinceEpoch()) / 1000.0);
}

}  // namespace

TEST(Calendar, DaysBetweenIgnoresTheTimeOfDay)
{
    TimeZoneScope zone("Europe/Paris");
    const Calendar calendar = Calendar::current();
    EXPECT_EQ(calendar.daysBetween(local(2017, 2, 6, 8, 0), local(2017, 2, 6, 22, 0)), 0);
    EXPECT_EQ(calendar.daysBetween(local(2017, 2, 6, 23, 59), local(2017, 2, 7, 0, 1)), 1);
    EXPECT_EQ(calendar.daysBetween(local(2017, 2, 7, 0, 1), local(2017, 2, 6, 23, 59)), -1);
    EXPECT_EQ(calendar.daysBetween(local(2017, 3, 25, 12, 0), local(2017, 3, 27, 12, 0)), 2);
}

TEST(Calendar, AddingDaysKeepsTheWallClockTimeAcrossDaylightSaving)
{
    TimeZoneScope zone("Europe/Paris");
    const Calendar calendar = Calendar::current();
    const Date before = local(2017, 3, 25, 14, 30);
    const auto after = calendar.addingDays(before, 1);
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, local(2017, 3, 26, 14, 30));
    EXPECT_EQ(after->timeIntervalSince(before), 23 * 3600.0);
    EXPECT_EQ(calendar.addingDays(*after, -1), before);
    EXPECT_EQ(calendar.addingDays(before.addingTimeInterval(0.25), 0), before.addingTimeInterval(0.25));
}

TEST(Calendar, StartOfDayIsLocalMidnight)
{
    TimeZoneScope zone("America/New_York");
    const Calendar calendar = Calendar::current();
    EXPECT_EQ(calendar.startOfDay(local(2020, 7, 4, 23, 59, 59)), local(2020, 7, 4, 0, 0));
    EXPECT_EQ(calendar.startOfDay(local(2020, 7, 4, 0, 0)), local(2020, 7, 4, 0, 0));
}

TEST(DateFormat, PatternsShowLocalTimeWithAsciiDigits)
{
    for (const char* zone : {"Asia/Tokyo", "America/Los_Angeles", "UTC"}) {
        TimeZoneScope scope(zone);
        const Date date = local(2017, 2, 1, 14, 5, 9);
        EXPECT_EQ(core::formatDate(date, "yyyy:MM:dd HH:mm:ss"), "2017:02:01 14:05:09") << zone;
        EXPECT_EQ(core::formatDate(date.addingTimeInterval(0.25), "d/M/yy h:mm a 'at' SSS"), "1/2/17 2:05 PM at 250")
            << zone;
        EXPECT_EQ(core::formatDate(date, "EEE, MMM d"), "Wed, Feb 1") << zone;
    }
}

TEST(DateFormat, TheReferenceDateIsTheStartOf2001InUtc)
{
    TimeZoneScope zone("UTC");
    EXPECT_EQ(core::formatDate(Date(0), "yyyy-MM-dd HH:mm:ss"), "2001-01-01 00:00:00");
    EXPECT_EQ(core::formatDate(Date(-0.5), "yyyy-MM-dd HH:mm:ss.SSS"), "2000-12-31 23:59:59.500");
    EXPECT_EQ(core::formatDate(Date(0.123), "ss.SSS"), "00.123");
    EXPECT_EQ(core::formatDate(Date(-0.001), "ss.SSS"), "59.999");
}

TEST(Clock, TestsCanFixTheCurrentDate)
{
    core::Clock::setCurrent(std::make_shared<core::FixedClock>(Date(1234.5)));
    EXPECT_EQ(Date::now(), Date(1234.5));
    core::Clock::setCurrent(nullptr);
    EXPECT_GT(Date::now().timeIntervalSinceReferenceDate(), 7e8);
}
