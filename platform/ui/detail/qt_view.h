// The Qt side of a view, for the ui layer's own use (and its tests): the host widget that shows a view,
// draws it through a y-up context and turns Qt input into events.
#pragma once

#include <QMimeData>
#include <QPointer>
#include <QWidget>

#include <optional>

#include "platform/ui/layer.h"
#include "platform/ui/view.h"

namespace ui {

class Window;

class HostWidget : public QWidget {
public:
    explicit HostWidget(View& view);

    View& view() { return view_; }
    // A Qt widget (a control's) that fills this one and gets its input directly.
    void setFill(QWidget* widget);
    QWidget* fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void sendMouse(QMouseEvent* event, bool press);

    View& view_;
    QPointer<QWidget> fill_;
};

struct View::Impl {
    QPointer<HostWidget> widget;
    gfx::Rect frame;
    gfx::Rect bounds;
    double scale = 1;  // frame points per bounds unit
    bool hidden = false;
    double alpha = 1;
    std::weak_ptr<View> superview;
    std::vector<std::shared_ptr<View>> subviews;
    // Set on the content view of a window.
    std::weak_ptr<Window> window;
    unsigned autoresizingMask = 0;
    std::optional<double> fixedHeight;
    bool wantsLayer = false;
    std::shared_ptr<Layer> layer;
    std::shared_ptr<Menu> menu;
    std::vector<std::string> draggedTypes;
    std::vector<std::pair<gfx::Rect, std::shared_ptr<Cursor>>> cursorRects;
    DragOperation enteredOperation = DragOperations::none;
};

QWidget* widgetOf(View& view);
// Gives the host widget the cursor of the cursor rectangle under `point` (bounds space).
void showCursorAt(View& view, const gfx::Point& point);
// The point of `view`'s space at widget pixel (x, y) of its host widget.
gfx::Point viewPointFromWidget(const View& view, double x, double y);
// The y-up view space to widget pixels.
QTransform viewToWidget(const View& view);

}  // namespace ui
