// Screen coordinates between Qt (y-down from the primary screen's top left) and ours (y-up from its bottom
// left), for the ui layer's own use.
#pragma once

#include <QPoint>
#include <QRect>

#include "platform/gfx/rect.h"

namespace ui {

double primaryScreenHeight();
gfx::Rect screenRectFromQt(const QRect& r);
QRect qtRectFromScreen(const gfx::Rect& r);
QPoint qtPointFromScreen(const gfx::Point& p);

}  // namespace ui
