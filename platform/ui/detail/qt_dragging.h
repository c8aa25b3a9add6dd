// Drags as Qt delivers them, for the ui layer's own use.
#pragma once

#include <QDrag>
#include <QDropEvent>

#include <functional>

#include "platform/ui/dragging.h"
#include "platform/ui/view.h"

namespace ui {

DragOperation operationsOf(Qt::DropActions actions);
Qt::DropAction actionOf(DragOperation operation);

// What a drop target sees of a Qt drag over `view`'s host widget (or a widget filling it).
class QtDraggingInfo : public DraggingInfo {
public:
    // `position` is where the drag is in the host widget's pixels (the event's position by default).
    QtDraggingInfo(const QDropEvent& event, View& view) : QtDraggingInfo(event, view, event.position()) {}
    QtDraggingInfo(const QDropEvent& event, View& view, QPointF position)
        : event_(event), view_(view), position_(position)
    {
    }

    gfx::Point draggingLocation() const override;
    DragOperation draggingSourceOperationMask() const override;
    std::vector<std::string> types() const override;
    std::optional<core::Data> data(const std::string& type) const override;
    std::vector<core::Url> fileURLs() const override;
    std::shared_ptr<DraggingSource> draggingSource() const override;

private:
    const QDropEvent& event_;
    View& view_;
    QPointF position_;
};

// True when the drag carries one of the types `view` registered for.
bool carriesRegisteredType(const View& view, const QMimeData* data);

// How a drag this program starts is carried out: QDrag::exec unless set (tests play the drop target there).
// The answer is the action the drop took, Qt::IgnoreAction for none. An empty function restores QDrag::exec.
using DragPerformer = std::function<Qt::DropAction(QDrag& drag, Qt::DropActions actions)>;
void setDragPerformer(DragPerformer performer);

}  // namespace ui
