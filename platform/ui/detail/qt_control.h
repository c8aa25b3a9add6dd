// The Qt side of controls, for the ui layer's own use.
#pragma once

#include <QWidget>

#include "platform/ui/control.h"
#include "platform/ui/detail/qt_view.h"

namespace ui {

// Puts `widget` in `control`'s host widget, filling it; the control takes ownership.
void setControlWidget(Control& control, QWidget* widget);
QWidget* controlWidget(Control& control);

}  // namespace ui
