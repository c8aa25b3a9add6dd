// Serves the main loop until a condition holds, for tests that wait for work on the main queue.
#pragma once

#include <chrono>
#include <functional>

#include "platform/core/main_loop.h"

namespace testsupport {

// Serves events until `done()` or until `timeoutSeconds` have passed; the final value of `done()`.
inline bool runUntil(const std::function<bool()>& done, double timeoutSeconds = 10)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!done() && std::chrono::steady_clock::now() < end)
        core::MainLoop::processEvents(0.005);
    return done();
}

}  // namespace testsupport
