#include "platform/core/print.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace core {

namespace {
std::mutex& outputMutex()
{
    static std::mutex mutex;
    return mutex;
}
}  // namespace

void print(std::string_view line)
{
    std::lock_guard lock(outputMutex());
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void fatalError(std::string_view message)
{
    {
        std::lock_guard lock(outputMutex());
        std::fprintf(stderr, "Fatal error: %.*s\n", static_cast<int>(message.size()), message.data());
        std::fflush(stderr);
    }
    std::abort();
}

}  // namespace core
