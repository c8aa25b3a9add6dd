#include "platform/ui/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "platform/core/mutex.h"
#include "platform/ui/application.h"
#include "platform/ui/detail/qt_screen.h"
#include "platform/ui/detail/qt_window.h"
#include "platform/ui/window.h"

namespace ui {

namespace {

struct LastSeen {
    core::Mutex mutex;  // guards the screens
    std::vector<Screen> screens GUARDED_BY(mutex);
};

LastSeen& lastSeen()
{
    static LastSeen seen;
    return seen;
}

Screen screenOf(QScreen* screen)
{
    return {screenRectFromQt(screen->geometry()), screenRectFromQt(screen->availableGeometry()),
            screen->devicePixelRatio()};
}

bool onMainThread()
{
    auto* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

}  // namespace

std::vector<Screen> Screen::screens()
{
    if (!onMainThread() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        LastSeen& seen = lastSeen();
        core::MutexLock lock(seen.mutex);
        return seen.screens;
    }
    std::vector<Screen> result;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) result.push_back(screenOf(primary));
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != primary) result.push_back(screenOf(screen));
    LastSeen& seen = lastSeen();
    core::MutexLock lock(seen.mutex);
    seen.screens = result;
    return result;
}

std::optional<Screen> Screen::main()
{
    const auto all = screens();
    if (all.empty()) return std::nullopt;
    if (onMainThread())
        if (auto window = Application::shared()->keyWindow())
            if (QWidget* widget = widgetOf(*window); widget && widget->screen()) return screenOf(widget->screen());
    return all.front();
}

}  // namespace ui
