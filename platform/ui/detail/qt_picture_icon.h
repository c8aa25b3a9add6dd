// Pictures as Qt icons, for the ui layer's own use: drawn afresh at the size and pixel density asked for, a
// template picture in the text colour of its widget's palette for the icon's mode, so that it reads on light
// and dark themes and in disabled controls.
#pragma once

#include <QIcon>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "platform/ui/picture.h"

namespace ui {

// A null picture gives the null icon.
QIcon iconOfPicture(const std::shared_ptr<const Picture>& picture, QWidget* widget);

}  // namespace ui
