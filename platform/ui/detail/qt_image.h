// Images between Qt and gfx, for the ui layer's own use.
#pragma once

#include <QImage>

#include "platform/gfx/image.h"

namespace ui {

// Null for a null image.
gfx::ImageRef imageFromQImage(const QImage& image);
QImage qImageFromImage(const gfx::Image& image);

}  // namespace ui
