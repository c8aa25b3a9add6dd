// The strip of a document's snaps: a horizontal row of SnapCells inside a scroll view, mirroring the
// document's SnapsManager. Appended snaps slide in from above, removed ones slide out below and the rest close
// the gap; the cells show the manager's selection. The user selects by clicks (Shift extends, Command, which is
// Ctrl here, toggles), by a rubber band from the background, by the arrow keys, removes with Delete, clears with
// Escape, opens the strip's menu with a right click and drags snaps out as image files that the delegate
// writes. The list of cells always has one cell per item of the manager, at the item's position, also while
// removed cells are still sliding away. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "app/document/snap_item.h"
#include "app/document/snaps_manager_observer.h"
#include "app/document/snaps_view_delegate.h"
#include "platform/core/index_set.h"
#include "platform/ui/dragging.h"
#include "platform/ui/view.h"

namespace vistrel {

class SnapCell;
class SnapsManager;

class SnapsView : public ui::View, public SnapsManagerObserver, public ui::DraggingSource {
public:
    // How long cells take to slide in, out and together, and the strip to grow, in seconds.
    static constexpr double animationDuration = 0.5;
    // How far the mouse must move on a cell, in points, before the snaps are dragged out.
    static constexpr double dragThreshold = 2.0;

    explicit SnapsView(const gfx::Rect& frame = {}) : View(frame) {}
    ~SnapsView() override;

    // Installs the strip in its enclosing scroll view (which it must be inside): one point wide, as the
    // document view of a clip view that passes presses beside the row on to the strip.
    void awakeFromNib();

    // Held weakly: the document owns its window and so the strip.
    std::shared_ptr<SnapsViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<SnapsViewDelegate>& delegate) { delegate_ = delegate; }
    const std::shared_ptr<SnapsManager>& snapsManager() const { return snapsManager_; }
    // Follows the new manager's notifications instead of the old one's and shows the items it holds at once.
    void setSnapsManager(const std::shared_ptr<SnapsManager>& manager);
    // From left to right; cell k shows item k of the manager.
    const std::vector<std::shared_ptr<SnapCell>>& cells() const { return cells_; }

    void snapsManagerDidAppendItems(const core::Notification& notification) override;
    void snapsManagerDidRemoveItems(const core::Notification& notification) override;
    void snapsManagerDidChangeSelection(const core::Notification& notification) override;

    // Adds a cell per item at the end of the row, grows the strip, scrolls to its end and slides them in.
    void appendCells(const SnapItems& items);
    // Takes the cells at the positions out of the row at once, slides them out, then closes the gap.
    void removeCells(const core::IndexSet& positions);
    // Shows the positions as selected, touching only the cells that change.
    void updateCellsSelection(const core::IndexSet& positions);

    // A press beside the cells' content starts a rubber band; its release commits what it shows.
    void mouseDown(const ui::Event& event) override;
    void mouseDragged(const ui::Event& event) override;
    void mouseUp(const ui::Event& event) override;
    void rightMouseDown(const ui::Event& event) override;
    // Left and right arrows, Delete and Escape; other keys go on.
    void keyDown(const ui::Event& event) override;
    bool acceptsFirstResponder() const override { return true; }

    // What a cell hands over of the events inside its content rectangle.
    void snapCellMouseDown(SnapCell& cell, const ui::Event& event);
    void snapCellMouseDragged(SnapCell& cell, const ui::Event& event);
    void snapCellMouseUp(SnapCell& cell, const ui::Event& event);
    void snapCellRightMouseDown(SnapCell& cell, const ui::Event& event);
    void snapCellRightMouseDragged(SnapCell& cell, const ui::Event& event) {}
    void snapCellRightMouseUp(SnapCell& cell, const ui::Event& event) {}

    // Drags the selection and the pressed cell's snap out, when the delegate allows it.
    void startDraggingSession(SnapCell& cell, const ui::Event& event);
    ui::DragOperation sourceOperationMask(ui::DraggingContext context) override;
    std::vector<std::string> namesOfPromisedFilesDroppedAtDestination(const core::Url& destination) override;
    // Asked of the delegate.
    bool promisedFilesSettled() override;
    void promisedFilesWithheld() override;
    // The positions of the snaps being dragged out; empty when no drag runs.
    const core::IndexSet& draggedIndexes() const { return draggedIndexes_; }

private:
    // The cell's position in the row; nullopt for a cell that is leaving it.
    std::optional<std::size_t> positionOf(const SnapCell& cell) const;
    // Where the cell at that position rests: after the cells before it, at the bottom, the strip's height.
    gfx::Rect restingFrame(std::size_t position) const;
    double rowWidth() const;
    // Cells for the items at the end of the row, just above it.
    std::vector<std::shared_ptr<SnapCell>> makeCells(const SnapItems& items);
    // Slides the cells at their resting frames and fits the strip to the row.
    void closeGaps(double duration);
    void showCellsAtRest(const std::vector<std::shared_ptr<SnapCell>>& moving, double duration);
    void stopObservingManager();

    std::weak_ptr<SnapsViewDelegate> delegate_;
    std::shared_ptr<SnapsManager> snapsManager_;
    std::vector<std::shared_ptr<SnapCell>> cells_;
    std::optional<gfx::Point> dragSelectLocation_;
    std::optional<gfx::Point> dragCellLocation_;
    core::IndexSet draggedIndexes_;
};

}  // namespace vistrel
