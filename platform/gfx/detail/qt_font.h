// The Qt font that draws a gfx::Font. For the platform layer's own use.
#pragma once

#include <QFont>

#include "platform/gfx/font.h"

namespace gfx {

QFont toQFont(const Font& font);

}  // namespace gfx
