#include "platform/core/print.h"

#include <cstdio>
#include <cstdlib>

#include "platform/core/mutex.h"

namespace core {

namespace {
// Guards the standard output and error streams: one line at a time.
Mutex& outputMutex()
{
    static Mutex mutex;
    return mutex;
}
}  // namespace

void print(std::string_view line)
{
    MutexLock lock(outputMutex());
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void fatalError(std::string_view message)
{
    {
        MutexLock lock(outputMutex());
        std::fprintf(stderr, "Fatal error: %.*s\n", static_cast<int>(message.size()), message.data());
        std::fflush(stderr);
    }
    std::abort();
}

}  // namespace core
