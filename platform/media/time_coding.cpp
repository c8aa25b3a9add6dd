#include "platform/media/time_coding.h"

namespace media {

// A time takes four keys: "<key>.value", "<key>.timescale", "<key>.flags" and "<key>.epoch".
void encodeTime(core::KeyedArchiver& coder, const std::string& key, const Time& time)
{
    coder.encodeInt64(key + ".value", time.value);
    coder.encodeInt64(key + ".timescale", time.timescale);
    coder.encodeInt64(key + ".flags", time.flags);
    coder.encodeInt64(key + ".epoch", time.epoch);
}

Time decodeTime(core::KeyedUnarchiver& coder, const std::string& key)
{
    if (!coder.contains(key + ".flags") || !coder.contains(key + ".timescale")) return Time::invalid();
    std::int64_t flags = coder.decodeInt64(key + ".flags");
    std::int64_t timescale = coder.decodeInt64(key + ".timescale");
    constexpr std::int64_t knownFlags = TimeFlags::valid | TimeFlags::hasBeenRounded | TimeFlags::positiveInfinity |
                                        TimeFlags::negativeInfinity | TimeFlags::indefinite;
    if (flags < 0 || (flags & ~knownFlags) || !(flags & TimeFlags::valid)) return Time::invalid();
    Time time{coder.decodeInt64(key + ".value"), 0, std::uint32_t(flags), coder.decodeInt64(key + ".epoch")};
    if (time.isNumeric()) {
        // A numeric time needs a positive timescale.
        if (timescale <= 0 || timescale > Time::maxTimescale) return Time::invalid();
        time.timescale = std::int32_t(timescale);
    }
    return time;
}

}  // namespace media
