// Appearances as Qt palettes, for the ui layer's own use.
#pragma once

#include <QPalette>
#include <QWidget>

#include "platform/ui/appearance.h"

namespace ui {

// Gives `widget` and its children the appearance's palette; a null appearance restores the application's.
void applyAppearance(QWidget& widget, const Appearance* appearance);

}  // namespace ui
