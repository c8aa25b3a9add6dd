#include "platform/ui/system_style.h"

#include <QApplication>
#include <QPalette>

namespace ui {

double systemFontSize(ControlSize size)
{
    switch (size) {
    case ControlSize::small:
        return 11;
    case ControlSize::mini:
        return 9;
    case ControlSize::regular:
        break;
    }
    return 13;
}

namespace {

gfx::Color paletteColor(QPalette::ColorRole role)
{
    const QColor c = QApplication::palette().color(role);
    return gfx::Color::rgb(c.redF(), c.greenF(), c.blueF(), c.alphaF());
}

}  // namespace

gfx::Color SystemColor::focusIndicator() { return paletteColor(QPalette::Highlight); }

gfx::Color SystemColor::text() { return paletteColor(QPalette::Text); }

}  // namespace ui
