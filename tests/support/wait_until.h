// How long a test waits for an event or a state, and the wait itself for a test without a main loop. A correct
// program gets there long before the limit, on a machine however busy; the limit only ends a test of a program
// that never gets there.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace testsupport {

// The longest a test waits for anything to happen.
constexpr double waitLimitSeconds = 60;

// Polls `done()` on this thread (any thread) until it holds or the limit has passed; its final value.
inline bool waitUntil(const std::function<bool()>& done, double limitSeconds = waitLimitSeconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(limitSeconds);
    while (!done() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

}  // namespace testsupport
