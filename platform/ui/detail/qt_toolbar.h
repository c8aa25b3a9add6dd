// The Qt side of toolbars, for the ui layer's own use.
#pragma once

#include <QPointer>
#include <QToolBar>

#include "platform/ui/toolbar.h"

namespace ui {

struct Toolbar::Impl {
    QPointer<QToolBar> bar;
};

// A Qt toolbar showing `toolbar`'s items; the toolbar keeps it up to date while it lives.
QToolBar* makeQtToolbar(Toolbar& toolbar, QWidget* parent);

}  // namespace ui
