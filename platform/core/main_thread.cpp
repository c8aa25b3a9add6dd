#include "platform/core/main_thread.h"

#ifdef VISTREL_THREAD_CHECKS

#include "platform/core/main_queue.h"

namespace core {

void assertMainThread(const char* function, const char* file, int line)
{
    assertOnQueue(*MainQueue::shared(), function, file, line);
}

}  // namespace core

#endif
