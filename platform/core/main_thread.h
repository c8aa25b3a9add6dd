// The check that code meant for the main thread runs there: in debug and sanitizer builds, a call from another
// thread stops the program with the caller's name and place; release builds compile it out. Call it first in
// the entry points of objects that belong to the main thread.
#pragma once

namespace core {

#ifdef NDEBUG
inline void assertMainThread(const char* = __builtin_FUNCTION(), const char* = __builtin_FILE(),
                             int = __builtin_LINE())
{
}
#else
// Stops the program when called, while the application object exists, on another thread than its own.
void assertMainThread(const char* function = __builtin_FUNCTION(), const char* file = __builtin_FILE(),
                      int line = __builtin_LINE());
#endif

}  // namespace core
