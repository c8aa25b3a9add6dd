#include "platform/ui/detail/qt_cursor.h"
#include "platform/ui/detail/qt_view.h"

namespace ui {

void View::addCursorRect(const gfx::Rect& rect, const std::shared_ptr<Cursor>& cursor)
{
    if (!cursor) return;
    impl_->cursorRects.push_back({rect, cursor});
    if (impl_->widget) impl_->widget->setMouseTracking(true);
}

void View::discardCursorRects()
{
    impl_->cursorRects.clear();
    if (impl_->widget) impl_->widget->unsetCursor();
}

std::shared_ptr<Cursor> View::cursorAt(const gfx::Point& point) const
{
    for (auto it = impl_->cursorRects.rbegin(); it != impl_->cursorRects.rend(); ++it)
        if (gfx::contains(it->first, point)) return it->second;
    return nullptr;
}

void showCursorAt(View& view, const gfx::Point& point)
{
    QWidget* widget = widgetOf(view);
    if (!widget || view.impl().cursorRects.empty()) return;
    if (auto cursor = view.cursorAt(point))
        widget->setCursor(cursor->impl().cursor);
    else
        widget->unsetCursor();
}

}  // namespace ui
