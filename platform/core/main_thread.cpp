#include "platform/core/main_thread.h"

#ifndef NDEBUG

#include <QCoreApplication>
#include <QThread>
#include <string>

#include "platform/core/print.h"

namespace core {

void assertMainThread(const char* function, const char* file, int line)
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread()) return;
    fatalError(std::string(function) + " (" + file + ":" + std::to_string(line) +
               ") is for the main thread and runs on another one");
}

}  // namespace core

#endif
