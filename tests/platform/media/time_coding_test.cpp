#include "platform/core/coding.h"
#include "platform/media/time_coding.h"

#include <gtest/gtest.h>

using media::Time;

namespace {

struct TimeHolder : core::Coding {
    Time time;
    std::string className() const override { return "TimeHolder"; }
    void encode(core::KeyedArchiver& archiver) const override { media::encodeTime(archiver, "time", time); }
};

Time roundTrip(const Time& time)
{
    core::CodingRegistry::add<TimeHolder>("TimeHolder", [](core::KeyedUnarchiver& coder) {
        auto holder = std::make_shared<TimeHolder>();
        holder->time = media::decodeTime(coder, "time");
        return holder;
    });
    auto holder = std::make_shared<TimeHolder>();
    holder->time = time;
    auto back = core::KeyedUnarchiver::unarchiveObject<TimeHolder>(core::KeyedArchiver::archivedData(holder));
    EXPECT_TRUE(back);
    return back ? back->time : Time::invalid();
}

}  // namespace

TEST(TimeCoding, TimesComeBackExactly)
{
    Time rounded = Time::withSeconds(1.0 / 3, 1000000000);
    for (Time t : {Time::make(6001, 600), Time::zero(), rounded, Time::positiveInfinity(), Time::negativeInfinity(),
                   Time::indefinite()}) {
        Time back = roundTrip(t);
        EXPECT_EQ(back.value, t.value);
        EXPECT_EQ(back.timescale, t.timescale);
        EXPECT_EQ(back.flags, t.flags);
        EXPECT_EQ(back.epoch, t.epoch);
    }
    EXPECT_FALSE(roundTrip(Time::invalid()).isValid());
}

TEST(TimeCoding, AbsentOrBrokenTimesDecodeAsInvalid)
{
    struct Other : core::Coding {
        std::string className() const override { return "TimeCodingOther"; }
        void encode(core::KeyedArchiver& archiver) const override
        {
            archiver.encodeInt64("time.flags", 1);
            archiver.encodeInt64("time.timescale", -5);
        }
    };
    Time decoded = Time::zero();
    core::CodingRegistry::add<Other>("TimeCodingOther", [&](core::KeyedUnarchiver& coder) {
        decoded = media::decodeTime(coder, "time");
        EXPECT_FALSE(media::decodeTime(coder, "absent").isValid());
        return std::make_shared<Other>();
    });
    core::KeyedUnarchiver::unarchiveObject(core::KeyedArchiver::archivedData(std::make_shared<Other>()));
    EXPECT_FALSE(decoded.isValid());
}
