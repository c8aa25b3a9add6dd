#include "platform/ui/detail/qt_picture_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <cmath>

#include "platform/ui/detail/qt_image.h"

namespace ui {

namespace {

class PictureIconEngine : public QIconEngine {
public:
    PictureIconEngine(std::shared_ptr<const Picture> picture, QPointer<QWidget> widget)
        : picture_(std::move(picture)), widget_(std::move(widget))
    {
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const gfx::Size own = picture_->size();
        if (own.width <= 0 || own.height <= 0) return {};
        const double fit = std::min(size.width() / own.width, size.height() / own.height);
        return QSize(int(std::floor(own.width * fit)), int(std::floor(own.height * fit)));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const QSize points = actualSize(size, mode, state);
        const gfx::ImageRef image =
            picture_->bitmap({double(points.width()), double(points.height())}, scale, tint(mode));
        if (!image) return {};
        QPixmap pixmap = QPixmap::fromImage(qImageFromImage(*image));
        if (mode == QIcon::Disabled && !picture_->isTemplate()) {
            QStyleOption option;
            option.palette = palette();
            pixmap = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
        }
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

    QIconEngine* clone() const override { return new PictureIconEngine(picture_, widget_); }
    QString key() const override { return QStringLiteral("ui::Picture"); }

private:
    QPalette palette() const { return widget_ ? widget_->palette() : QApplication::palette(); }

    gfx::Color tint(QIcon::Mode mode) const
    {
        const QPalette colours = palette();
        const QColor colour = mode == QIcon::Disabled   ? colours.color(QPalette::Disabled, QPalette::ButtonText)
                              : mode == QIcon::Selected ? colours.color(QPalette::Active, QPalette::HighlightedText)
                                                        : colours.color(QPalette::Active, QPalette::ButtonText);
        return gfx::Color::rgb(colour.redF(), colour.greenF(), colour.blueF(), colour.alphaF());
    }

    std::shared_ptr<const Picture> picture_;
    QPointer<QWidget> widget_;
};

}  // namespace

QIcon iconOfPicture(const std::shared_ptr<const Picture>& picture, QWidget* widget)
{
    if (!picture) return {};
    return QIcon(new PictureIconEngine(picture, widget));
}

}  // namespace ui
