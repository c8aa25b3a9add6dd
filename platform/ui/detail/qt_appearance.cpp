#include "platform/ui/detail/qt_appearance.h"

#include <QApplication>

#include "platform/gfx/detail/qt_context.h"

namespace ui {

void applyAppearance(QWidget& widget, const Appearance* appearance)
{
    if (!appearance) {
        widget.setPalette(QApplication::palette());
        return;
    }
    QPalette palette = QApplication::palette();
    const QColor back = gfx::toQColor(appearance->backgroundColor());
    const QColor text = gfx::toQColor(appearance->textColor());
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    if (appearance->isDark()) {
        palette.setColor(QPalette::Base, back.darker(130));
        palette.setColor(QPalette::Button, back.lighter(130));
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace ui
