// The Qt side of a window, for the ui layer's own use (and its tests).
#pragma once

#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include "platform/ui/window.h"

namespace ui {

class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window& window) : window_(window) {}

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Window& window_;
};

QWidget* widgetOf(Window& window);

}  // namespace ui
