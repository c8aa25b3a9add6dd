#include "platform/core/main_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <string>

#include "platform/core/print.h"

namespace core {

// The build defines VISTREL_THREAD_CHECKS for this file in every build type but the release ones.
#ifdef VISTREL_THREAD_CHECKS

bool checksMainThread() { return true; }

void assertMainThread(const char* function, const char* file, int line)
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread()) return;
    fatalError(std::string(function) + " (" + file + ":" + std::to_string(line) +
               ") is for the main thread and runs on another one");
}

#else

bool checksMainThread() { return false; }

void assertMainThread(const char*, const char*, int) {}

#endif

}  // namespace core
