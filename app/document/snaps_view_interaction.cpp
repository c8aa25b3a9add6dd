// The snaps strip's answers to the mouse, the keys and the drags: selection, removal, the context menu and
// the drag-out of snaps as files.
#include "app/document/snap_cell.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "appkit/event_extensions.h"
#include "appkit/event_key_code.h"
#include "appkit/pasteboard_extensions.h"
#include "foundation/index_set_extensions.h"
#include "numerics/point_geometry.h"
#include "numerics/rect_geometry.h"
#include "platform/ui/menu.h"

namespace vistrel {

namespace {

// The selection after a click on the snap at `clicked`: Command toggles it, Shift adds the span from it to
// the lowest selected snap, a plain click keeps a selection that holds it and selects it alone otherwise.
core::IndexSet clickedSelection(const core::IndexSet& current, core::IndexSet::Index clicked, std::uint64_t modifiers)
{
    if (modifiers & ui::ModifierFlags::command) return kestrane::toggling(current, clicked);
    if ((modifiers & ui::ModifierFlags::shift) && !current.isEmpty())
        return current.unioned(kestrane::indexSet(clicked, *current.first()));
    return current.contains(clicked) ? current : core::IndexSet{clicked};
}

// What a snap without an image shows while dragged: black, as its cell.
const gfx::ImageRef& blankPicture()
{
    static const gfx::ImageRef black = gfx::Image::create(1, 1, {gfx::makePixel(255, 0, 0, 0)});
    return black;
}

}  // namespace

void SnapsView::snapCellMouseDown(SnapCell& cell, const ui::Event& event)
{
    if (!snapsManager_ || !positionOf(cell)) return;
    dragCellLocation_ = event.locationInWindow;
    snapsManager_->setSelection(clickedSelection(snapsManager_->selection(), cell.index(), event.modifierFlags));
}

void SnapsView::snapCellMouseDragged(SnapCell& cell, const ui::Event& event)
{
    if (dragSelectLocation_) return mouseDragged(event);
    if (dragCellLocation_ && positionOf(cell) &&
        kestrane::distanceFromPoint(*dragCellLocation_, event.locationInWindow) > dragThreshold)
        startDraggingSession(cell, event);
}

void SnapsView::snapCellMouseUp(SnapCell&, const ui::Event& event)
{
    if (dragSelectLocation_) return mouseUp(event);
    dragCellLocation_.reset();
}

void SnapsView::snapCellRightMouseDown(SnapCell& cell, const ui::Event& event)
{
    if (!snapsManager_ || !positionOf(cell)) return;
    if (!snapsManager_->selection().contains(cell.index())) snapsManager_->setSelection({cell.index()});
    if (const auto menu = this->menu()) ui::Menu::popUpContextMenu(menu, event, cell.sharedAs<ui::View>());
}

void SnapsView::mouseDown(const ui::Event& event)
{
    dragSelectLocation_ = kestrane::locationIn(event, *this);
    if (snapsManager_) snapsManager_->deselectAll();
}

void SnapsView::mouseDragged(const ui::Event& event)
{
    if (!dragSelectLocation_) return;
    const gfx::Rect band = kestrane::Rect::fromPoints(*dragSelectLocation_, kestrane::locationIn(event, *this));
    core::IndexSet touched;
    // A band without height (a drag straight along the row) still touches what it crosses.
    for (std::size_t p = 0; p < cells_.size(); ++p)
        if (!gfx::intersection(convertRect(cells_[p]->contentRect(), cells_[p].get()), band).isNull())
            touched.insert(core::IndexSet::Index(p));
    updateCellsSelection(touched);
}

void SnapsView::mouseUp(const ui::Event&)
{
    if (snapsManager_) {
        core::IndexSet shown;
        for (const auto& cell : cells_)
            if (cell->selected()) shown.insert(cell->index());
        snapsManager_->setSelection(shown);
    }
    dragSelectLocation_.reset();
}

void SnapsView::rightMouseDown(const ui::Event& event)
{
    if (snapsManager_) snapsManager_->deselectAll();
    if (const auto menu = this->menu()) ui::Menu::popUpContextMenu(menu, event, sharedAs<ui::View>());
}

void SnapsView::keyDown(const ui::Event& event)
{
    if (!snapsManager_) return;
    const core::IndexSet selection = snapsManager_->selection();
    const auto first = selection.first();
    const auto count = core::IndexSet::Index(std::min(snapsManager_->items().size(), cells_.size()));
    auto selectOnly = [&](core::IndexSet::Index position) {
        snapsManager_->setSelection({position});
        scrollRectToVisible(restingFrame(std::size_t(position)));
    };
    switch (event.keyCode) {
    case kestrane::EventKeyCode::leftArrow:
        if (first && *first >= 1 && *first <= count) return selectOnly(*first - 1);
        break;
    case kestrane::EventKeyCode::rightArrow:
        if (first && *first + 1 < count) return selectOnly(*first + 1);
        break;
    case kestrane::EventKeyCode::deleteKey:
        if (!selection.isEmpty()) return snapsManager_->removeSelection();
        break;
    case kestrane::EventKeyCode::escape:
        if (!selection.isEmpty()) return snapsManager_->deselectAll();
        break;
    default:
        break;
    }
    View::keyDown(event);
}

void SnapsView::startDraggingSession(SnapCell& cell, const ui::Event& event)
{
    const auto delegate = this->delegate();
    if (!delegate || !snapsManager_ || !delegate->snapsViewCanDragSelection(*this)) return;
    core::IndexSet dragged = snapsManager_->selection();
    dragged.insert(cell.index());
    std::vector<ui::DraggingItem> items;
    for (const auto k : dragged) {
        if (k < 0 || std::size_t(k) >= cells_.size()) continue;
        const auto& source = cells_[std::size_t(k)];
        auto promise = core::make<ui::PasteboardItem>();
        promise->setString(ui::PasteboardType::png, kestrane::PBPromisedFileType);
        items.push_back({promise, cell.convertRect(source->imageRect(), source.get()),
                         source->image() ? source->image() : blankPicture()});
    }
    // The drag may run a loop of its own: the strip and the pressed cell stay until it ends, and the press
    // starts no second drag.
    const auto keepStrip = sharedAs<SnapsView>();
    const auto keepCell = cell.sharedAs<SnapCell>();
    dragCellLocation_.reset();
    draggedIndexes_ = dragged;
    cell.beginDraggingSession(items, event, keepStrip);
    draggedIndexes_ = {};
}

ui::DragOperation SnapsView::sourceOperationMask(ui::DraggingContext) { return ui::DragOperations::copy; }

std::vector<std::string> SnapsView::namesOfPromisedFilesDroppedAtDestination(const core::Url& destination)
{
    const auto delegate = this->delegate();
    if (!delegate) return {};
    return delegate->snapsViewDropSelectionTo(*this, destination).value_or(std::vector<std::string>{});
}

bool SnapsView::promisedFilesSettled()
{
    const auto delegate = this->delegate();
    return !delegate || delegate->snapsViewDroppedFilesSettled(*this);
}

void SnapsView::promisedFilesWithheld()
{
    if (const auto delegate = this->delegate()) delegate->snapsViewDroppedFilesWithheld(*this);
}

}  // namespace vistrel
