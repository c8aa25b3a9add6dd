#include <QContextMenuEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/gfx/detail/qt_context.h"
#include "platform/ui/detail/qt_event.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/window.h"

namespace ui {

HostWidget::HostWidget(View& view) : view_(view)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::ClickFocus);
}

void HostWidget::setFill(QWidget* widget)
{
    delete fill_.data();
    fill_ = widget;
    if (!widget) return;
    widget->setParent(this);
    widget->setGeometry(rect());
    widget->show();
}

void HostWidget::resizeEvent(QResizeEvent*)
{
    if (fill_) fill_->setGeometry(rect());
}

void HostWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QTransform base = viewToWidget(view_);
    gfx::PainterContext context(painter, base, QRectF(rect()));
    gfx::ContextScope scope(context);
    const QRectF dirty = base.inverted().mapRect(QRectF(event->rect()));
    if (auto layer = view_.impl().layer) layer->render(context, 1.0, view_.isFlipped());
    view_.draw(gfx::Rect(dirty.x(), dirty.y(), dirty.width(), dirty.height()));
}

void HostWidget::sendMouse(QMouseEvent* event, bool press)
{
    auto window = view_.window();
    if (!window) return;
    EventType type;
    const bool right = event->button() == Qt::RightButton || (event->buttons() & Qt::RightButton);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        type = right ? EventType::rightMouseDown : EventType::leftMouseDown;
        break;
    case QEvent::MouseButtonRelease:
        type = right ? EventType::rightMouseUp : EventType::leftMouseUp;
        break;
    default:
        type = event->buttons() == Qt::NoButton ? EventType::mouseMoved
               : right                          ? EventType::rightMouseDragged
                                                : EventType::leftMouseDragged;
    }
    const int clicks = press ? clickCountForPress(*event) : currentClickCount();
    const gfx::Point local = viewPointFromWidget(view_, event->position().x(), event->position().y());
    const Event converted = Event::mouseEvent(type, view_.convertPointTo(local, nullptr),
                                              modifierFlagsOf(event->modifiers()), double(event->timestamp()) / 1000,
                                              window->windowNumber(), type == EventType::mouseMoved ? 0 : clicks, 1.0);
    window->sendEvent(converted);
    event->accept();
}

void HostWidget::mousePressEvent(QMouseEvent* event) { sendMouse(event, true); }
void HostWidget::mouseDoubleClickEvent(QMouseEvent* event) { sendMouse(event, true); }
void HostWidget::mouseMoveEvent(QMouseEvent* event)
{
    showCursorAt(view_, viewPointFromWidget(view_, event->position().x(), event->position().y()));
    if (event->buttons() != Qt::NoButton) sendMouse(event, false);
}
void HostWidget::mouseReleaseEvent(QMouseEvent* event) { sendMouse(event, false); }

void HostWidget::wheelEvent(QWheelEvent* event)
{
    auto window = view_.window();
    if (!window) return;
    const gfx::Point local = viewPointFromWidget(view_, event->position().x(), event->position().y());
    Event converted = Event::mouseEvent(EventType::scrollWheel, view_.convertPointTo(local, nullptr),
                                        modifierFlagsOf(event->modifiers()), double(event->timestamp()) / 1000,
                                        window->windowNumber(), 0, 0);
    converted.deltaX = event->angleDelta().x() / 120.0;
    converted.deltaY = event->angleDelta().y() / 120.0;
    window->sendEvent(converted);
}

void HostWidget::keyPressEvent(QKeyEvent* event)
{
    if (auto window = view_.window())
        window->sendEvent(keyEventOf(*event, EventType::keyDown, {}, window->windowNumber()));
}

void HostWidget::keyReleaseEvent(QKeyEvent* event)
{
    if (auto window = view_.window())
        window->sendEvent(keyEventOf(*event, EventType::keyUp, {}, window->windowNumber()));
}

void HostWidget::contextMenuEvent(QContextMenuEvent* event)
{
    // A right click reaches the view as a press (rightMouseDown), which pops the menu up; only the menu key
    // and its like come this way.
    event->accept();
    if (event->reason() != QContextMenuEvent::Keyboard) return;
    for (auto view = view_.sharedAs<View>(); view; view = view->superview()) {
        if (auto menu = view->menu()) {
            menu->popUpAtGlobal(event->globalPos().x(), event->globalPos().y());
            return;
        }
    }
}

}  // namespace ui
