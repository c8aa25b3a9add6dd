#include "foundation/date_utilities.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>
#include <cstdlib>
#include <ctime>

using core::Date;

namespace {

class DateUtilities : public ::testing::Test {
protected:
    DateUtilities()
    {
        setenv("TZ", "Europe/Paris", 1);
        tzset();
    }
    ~DateUtilities() override
    {
        unsetenv("TZ");
        tzset();
        core::Clock::setCurrent(nullptr);
    }

    static Date local(int year, int month, int day, int hour, int minute, int second = 0)
    {
        const QDateTime moment(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::systemTimeZone());
        return Date::fromUnixTime(double(moment.toMSecsSinceEpoch()) / 1000.0);
    }

    static void setNow(Date date) { core::Clock::setCurrent(std::make_shared<core::FixedClock>(date)); }
};

}  // namespace

TEST_F(DateUtilities, DaysBetweenCountsCalendarDays)
{
    EXPECT_EQ(kestrane::Date::daysBetween(local(2017, 2, 6, 9, 0), local(2017, 2, 6, 18, 0)), 0);
    EXPECT_EQ(kestrane::Date::daysBetween(local(2017, 2, 6, 23, 59), local(2017, 2, 7, 0, 1)), 1);
    EXPECT_EQ(kestrane::Date::daysBetween(local(2017, 2, 7, 0, 1), local(2017, 2, 6, 23, 59)), -1);
}

TEST_F(DateUtilities, DaysFromNowIsPositiveForThePast)
{
    setNow(local(2017, 3, 27, 10, 0));
    EXPECT_EQ(kestrane::daysFromNow(local(2017, 3, 24, 22, 0)), 3);
    EXPECT_EQ(kestrane::daysFromNow(local(2017, 3, 28, 1, 0)), -1);
}

TEST_F(DateUtilities, YesterdayTomorrowAndAddingFollowTheCalendar)
{
    setNow(local(2017, 3, 26, 12, 0));
    EXPECT_EQ(kestrane::Date::now(), local(2017, 3, 26, 12, 0));
    EXPECT_EQ(kestrane::Date::yesterday(), local(2017, 3, 25, 12, 0));
    EXPECT_EQ(kestrane::Date::tomorrow(), local(2017, 3, 27, 12, 0));
    EXPECT_EQ(kestrane::adding(local(2017, 1, 31, 8, 0), 30), local(2017, 3, 2, 8, 0));
    EXPECT_EQ(kestrane::add(core::Calendar::current(), -365, local(2017, 1, 1, 0, 0)), local(2016, 1, 2, 0, 0));
}

TEST_F(DateUtilities, UTCFormattedShowsLocalTime)
{
    EXPECT_EQ(kestrane::UTCFormatted(local(2017, 2, 1, 14, 5, 9)), "2017:02:01 14:05:09");
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    EXPECT_EQ(kestrane::UTCFormatted(local(2017, 2, 1, 14, 5, 9)), "2017:02:01 14:05:09");
}

TEST_F(DateUtilities, MediaTimesMoveTheDate)
{
    const Date start(1000);
    const auto oneAndAHalf = media::Time::make(3, 2);
    EXPECT_EQ(kestrane::addingCMTime(start, oneAndAHalf), Date(1001.5));
    EXPECT_EQ(kestrane::removingCMTime(kestrane::addingCMTime(start, oneAndAHalf), oneAndAHalf), start);
    EXPECT_EQ(kestrane::removingCMTime(start, media::Time::make(600, 600)), Date(999));
    EXPECT_EQ(kestrane::addingCMTime(start, media::Time::invalid()), start);
    EXPECT_EQ(kestrane::removingCMTime(start, media::Time::positiveInfinity()), start);
}
