#include "platform/core/queue_check.h"

#ifdef VISTREL_THREAD_CHECKS

#include <string>

#include "platform/core/main_queue.h"
#include "platform/core/print.h"

namespace core {

void assertOnQueue(const DispatchQueue& queue, const char* function, const char* file, int line)
{
    if (queue.servesCallingThread()) return;
    const std::string where = &queue == MainQueue::shared().get() ? "the main thread" : "the queue " + queue.label();
    fatalError(std::string(function) + " (" + file + ":" + std::to_string(line) + ") is for " + where +
               " and runs on another one");
}

}  // namespace core

#endif
