#include "platform/ui/color_well.h"

#include <QColorDialog>
#include <QPushButton>

#include "platform/gfx/detail/qt_context.h"
#include "platform/ui/detail/qt_control.h"

namespace ui {

void ColorWell::awake()
{
    Control::awake();
    auto* swatch = new QPushButton;
    std::weak_ptr<ColorWell> weak = sharedAs<ColorWell>();
    QObject::connect(swatch, &QPushButton::clicked, [weak, swatch] {
        auto well = weak.lock();
        if (!well) return;
        const QColor chosen =
            QColorDialog::getColor(gfx::toQColor(well->color()), swatch, QString(), QColorDialog::ShowAlphaChannel);
        if (chosen.isValid())
            well->chooseColor(gfx::Color::rgb(chosen.redF(), chosen.greenF(), chosen.blueF(), chosen.alphaF()));
    });
    setControlWidget(*this, swatch);
    showSwatch();
}

void ColorWell::setColor(const gfx::Color& color)
{
    color_ = color;
    showSwatch();
}

void ColorWell::chooseColor(const gfx::Color& color)
{
    setColor(color);
    sendAction(action(), target());
}

void ColorWell::showSwatch()
{
    if (QWidget* swatch = controlWidget(*this))
        swatch->setStyleSheet(QString("background-color: %1").arg(gfx::toQColor(color_).name(QColor::HexArgb)));
}

}  // namespace ui
