// Serves the main loop until a condition holds, for tests that wait for work on the main queue, bounded by the
// one limit of every wait.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "tests/support/wait_until.h"

namespace testsupport {

// Serves events until `done()` or until `timeoutSeconds` have passed; the final value of `done()`.
inline bool runUntil(const std::function<bool()>& done, double timeoutSeconds = waitLimitSeconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!done() && std::chrono::steady_clock::now() < end)
        core::MainLoop::processEvents(0.005);
    return done();
}

// Serves the main loop until the work the main queue holds now has run (a mark queued behind it has run), so
// that the state that work leaves can be checked; false when the mark did not run within the limit.
inline bool runQueued()
{
    const auto ran = std::make_shared<bool>(false);
    core::DispatchQueue::main()->async([ran] { *ran = true; });
    return runUntil([&] { return *ran; });
}

}  // namespace testsupport
