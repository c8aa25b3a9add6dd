// The check that code meant for a queue runs on it: a call from elsewhere stops the program with the caller's
// name and place. "On it" means inside one of the queue's items (for a concurrent queue, on one of its workers)
// or, for the main queue, on the main thread (see DispatchQueue::servesCallingThread). Every build but Release
// and MinSizeRel checks; in those the call is empty and inline. Call it first in the functions whose comment
// names the queue they run on.
#pragma once

#include "platform/core/dispatch_queue.h"

namespace core {

#ifdef VISTREL_THREAD_CHECKS

// Stops the program when the calling code does not run on `queue`.
void assertOnQueue(const DispatchQueue& queue, const char* function = __builtin_FUNCTION(),
                   const char* file = __builtin_FILE(), int line = __builtin_LINE());
// Whether this build checks (here and in assertMainThread).
constexpr bool checksQueues() { return true; }

#else

inline void assertOnQueue(const DispatchQueue&, const char* = nullptr, const char* = nullptr, int = 0) {}
constexpr bool checksQueues() { return false; }

#endif

}  // namespace core
