#include "platform/media/playback_clock.h"

#include <chrono>

namespace media {

double SystemPlaybackClock::now() const
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void ManualPlaybackClock::advance(double seconds)
{
    if (!(seconds > 0)) return;
    double current = seconds_.load();
    while (!seconds_.compare_exchange_weak(current, current + seconds)) {
    }
}

}  // namespace media
