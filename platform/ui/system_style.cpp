#include "platform/ui/system_style.h"

#include <QApplication>
#include <QPalette>

namespace ui {

double systemFontSize(ControlSize size)
{
    switch (size) {
    case ControlSize::small: return 11;
    case ControlSize::mini: return 9;
    case ControlSize::regular: break;
    }
    return 13;
}

gfx::Color SystemColor::focusIndicator()
{
    const QColor c = QApplication::palette().color(QPalette::Highlight);
    return gfx::Color::rgb(c.redF(), c.greenF(), c.blueF(), c.alphaF());
}

}  // namespace ui
