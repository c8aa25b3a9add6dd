#include "platform/core/date.h"

#include <chrono>
#include <mutex>

namespace core {

namespace {

class SystemClock : public Clock {
public:
    Date now() const override
    {
        const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
        return Date::fromUnixTime(std::chrono::duration<double>(sinceEpoch).count());
    }
};

struct ClockSlot {
    std::mutex mutex;
    std::shared_ptr<const Clock> clock = std::make_shared<SystemClock>();
};

ClockSlot& slot()
{
    static ClockSlot instance;
    return instance;
}

}  // namespace

Date Date::now() { return Clock::current()->now(); }

std::shared_ptr<const Clock> Clock::current()
{
    std::lock_guard lock(slot().mutex);
    return slot().clock;
}

void Clock::setCurrent(std::shared_ptr<const Clock> clock)
{
    std::lock_guard lock(slot().mutex);
    slot().clock = clock ? std::move(clock) : std::make_shared<SystemClock>();
}

}  // namespace core
