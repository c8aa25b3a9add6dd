// The check that code meant for the main thread runs there: a call from another thread stops the program with
// the caller's name and place. Every build but Release and MinSizeRel checks; those let the call return at once.
// Call it first in the entry points of objects that belong to the main thread.
#pragma once

namespace core {

// Stops the program when called, while the application object exists, on another thread than its own.
void assertMainThread(const char* function = __builtin_FUNCTION(), const char* file = __builtin_FILE(),
                      int line = __builtin_LINE());
// Whether this build checks.
bool checksMainThread();

}  // namespace core
