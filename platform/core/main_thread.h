// The check that code meant for the main thread runs there: the main queue's assertOnQueue (queue_check.h), in
// short. A call from another thread, while the application object exists, stops the program with the caller's
// name and place. Call it first in the entry points of objects that belong to the main thread.
#pragma once

#include "platform/core/queue_check.h"

namespace core {

#ifdef VISTREL_THREAD_CHECKS
void assertMainThread(const char* function = __builtin_FUNCTION(), const char* file = __builtin_FILE(),
                      int line = __builtin_LINE());
#else
inline void assertMainThread(const char* = nullptr, const char* = nullptr, int = 0) {}
#endif

}  // namespace core
