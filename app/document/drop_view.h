// The drop target of the drop window: accepts a drag as soon as one of its files is a movie (by its name or
// its content) or a folder holding one, marches its dashed border while such a drag is over it, and opens what
// is dropped as documents (folders walked; dropped files that are no movie named, with why, in an alert).
// Main thread only.
#pragma once

#include <memory>

#include "platform/core/timer.h"
#include "platform/ui/view.h"

namespace vistrel {

class DropView : public ui::View {
public:
    explicit DropView(const gfx::Rect& frame = {});
    // Registers for dragged file names.
    void awake() override;

    ui::DragOperation draggingEntered(const ui::DraggingInfo& info) override;
    void draggingExited(const ui::DraggingInfo* info) override;
    void draggingEnded(const ui::DraggingInfo* info) override;
    bool performDragOperation(const ui::DraggingInfo& info) override;
    void draw(const gfx::Rect& dirty) override;

    // One step of the border's march: 0.3 more, and a redraw.
    void updateProgress();

    double progress() const { return progress_; }
    const std::shared_ptr<core::Timer>& progressTimer() const { return progressTimer_; }

private:
    void stopTimer();

    double progress_ = 0;
    std::shared_ptr<core::Timer> progressTimer_;
};

}  // namespace vistrel
