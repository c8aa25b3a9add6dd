#include "platform/ui/detail/qt_screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ui {

namespace {
int pixel(double v) { return int(std::lround(v)); }
}  // namespace

double primaryScreenHeight()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

gfx::Rect screenRectFromQt(const QRect& r)
{
    return {double(r.x()), primaryScreenHeight() - r.y() - r.height(), double(r.width()), double(r.height())};
}

QRect qtRectFromScreen(const gfx::Rect& r)
{
    const gfx::Rect s = r.standardized();
    const int x = pixel(s.minX()), y = pixel(primaryScreenHeight() - s.maxY());
    return QRect(x, y, pixel(s.maxX()) - x, pixel(primaryScreenHeight() - s.minY()) - y);
}

QPoint qtPointFromScreen(const gfx::Point& p) { return QPoint(pixel(p.x), pixel(primaryScreenHeight() - p.y)); }

}  // namespace ui
