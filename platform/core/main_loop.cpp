#include "platform/core/main_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "platform/core/main_queue.h"

namespace core {

void MainLoop::init()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "vistrel";
    static char* argv[] = {name, nullptr};
    // Never destroyed: worker threads may still post to it while the process ends.
    new QCoreApplication(argc, argv);
}

int MainLoop::run()
{
    MainQueue::shared()->endQuitting();
    return QCoreApplication::exec();
}

void MainLoop::processEvents(double seconds)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!(seconds > 0)) return;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::ceil(std::min(seconds, 1e6) * 1000)), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
}

void MainLoop::quit()
{
    MainQueue::shared()->beginQuitting();
    QCoreApplication::quit();
}

bool MainLoop::isQuitting() { return MainQueue::shared()->isQuitting(); }

bool MainLoop::isMainThread() { return MainQueue::isMainThread(); }

}  // namespace core
