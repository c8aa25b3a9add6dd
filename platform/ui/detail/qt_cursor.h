// The Qt side of cursors, for the ui layer's own use.
#pragma once

#include <QCursor>

#include "platform/ui/cursor.h"

namespace ui {

struct Cursor::Impl {
    QCursor cursor;
    bool isArrow = false;
};

}  // namespace ui
