#include "platform/core/date.h"

#include <chrono>

#include "platform/core/mutex.h"

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
    Mutex mutex;  // guards the clock
    std::shared_ptr<const Clock> clock GUARDED_BY(mutex) = std::make_shared<SystemClock>();
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
    MutexLock lock(slot().mutex);
    return slot().clock;
}

void Clock::setCurrent(std::shared_ptr<const Clock> clock)
{
    MutexLock lock(slot().mutex);
    slot().clock = clock ? std::move(clock) : std::make_shared<SystemClock>();
}

}  // namespace core
