#include "platform/ui/cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>

#include <cmath>

#include "platform/ui/detail/qt_cursor.h"
#include "platform/ui/detail/qt_image.h"

namespace ui {

Cursor::Cursor(const std::shared_ptr<Picture>& picture, const gfx::Point& hotSpot)
    : picture_(picture), hotSpot_(hotSpot), impl_(std::make_unique<Impl>())
{
    auto bitmap = picture ? picture->cgImage() : nullptr;
    if (!bitmap) {
        impl_->cursor = QCursor(Qt::ArrowCursor);
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(qImageFromImage(*bitmap));
    // The picture's points map to its pixels by the ratio of the two sizes.
    const double ratio = picture->size().width > 0 ? bitmap->width() / picture->size().width : 1;
    pixmap.setDevicePixelRatio(ratio);
    impl_->cursor = QCursor(pixmap, int(std::lround(hotSpot.x)), int(std::lround(hotSpot.y)));
}

Cursor::Cursor(int shape) : impl_(std::make_unique<Impl>())
{
    impl_->cursor = QCursor(Qt::CursorShape(shape));
    impl_->isArrow = shape == Qt::ArrowCursor;
}

Cursor::~Cursor() = default;

#define UI_STANDARD_CURSOR(name, shape)                                                                                \
    std::shared_ptr<Cursor> Cursor::name()                                                                             \
    {                                                                                                                  \
        static std::shared_ptr<Cursor> cursor(new Cursor(int(shape)));                                                 \
        return cursor;                                                                                                 \
    }

UI_STANDARD_CURSOR(arrow, Qt::ArrowCursor)
UI_STANDARD_CURSOR(iBeam, Qt::IBeamCursor)
UI_STANDARD_CURSOR(pointingHand, Qt::PointingHandCursor)
UI_STANDARD_CURSOR(openHand, Qt::OpenHandCursor)
UI_STANDARD_CURSOR(closedHand, Qt::ClosedHandCursor)
UI_STANDARD_CURSOR(crosshair, Qt::CrossCursor)
UI_STANDARD_CURSOR(resizeLeftRight, Qt::SizeHorCursor)
UI_STANDARD_CURSOR(resizeUpDown, Qt::SizeVerCursor)

#undef UI_STANDARD_CURSOR

void Cursor::set()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (impl_->isArrow) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return;
    }
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(impl_->cursor);
    else
        QGuiApplication::setOverrideCursor(impl_->cursor);
}

}  // namespace ui
