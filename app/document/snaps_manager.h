// The ordered snaps of one document and the selection among them, as positions in the list. Every change
// goes through the manager, which announces it on the default notification centre with itself as object:
// SnapsManagerDidAppendItemsNotification, SnapsManagerDidRemoveItemsNotification and
// SnapsManagerDidChangeSelectionNotification (names and user-info keys in defaults_keys.h). Positions handed to
// the manager that lie outside the list are ignored, so the selection always lies within it. Notifications are
// delivered before the operation returns. Main thread only.
#pragma once

#include <functional>
#include <memory>

#include "app/document/snap_item.h"
#include "app/document/snaps_manager_observer.h"
#include "platform/core/index_set.h"
#include "platform/core/object.h"

namespace orvalis {
class Movie;
}

namespace vistrel {

class SnapsManager : public core::Object {
public:
    static std::shared_ptr<SnapsManager> create(std::shared_ptr<orvalis::Movie> movie)
    {
        return core::make<SnapsManager>(std::move(movie));
    }
    // An empty list with an empty selection.
    explicit SnapsManager(std::shared_ptr<orvalis::Movie> movie) : movie_(std::move(movie)) {}

    // The document's movie; the manager never reads it.
    const std::shared_ptr<orvalis::Movie>& movie() const { return movie_; }

    const SnapItems& items() const { return items_; }
    // Adds the items at the end in their order, then posts the append notification with them (also when
    // there are none). The selection is unchanged.
    void append(const SnapItems& items);
    // Removes the items at the positions inside the list; the selection loses those positions (without a
    // selection notification, the rest not renumbered, none left beyond the shortened list); then posts the
    // removal notification with the positions removed, counted before the removal (also when none).
    void removeAt(const core::IndexSet& positions);
    void removeSelection();
    void removeAll();

    const core::IndexSet& selection() const { return selection_; }
    // Keeps the positions inside the list; when that differs from the selection it becomes the selection and
    // the selection notification is posted with it.
    void setSelection(const core::IndexSet& selection);
    // Changes a copy of the selection in place, then sets it as above.
    void changeSelection(const std::function<void(core::IndexSet&)>& change);

    // The item at the lowest selected position; null when nothing is selected.
    std::shared_ptr<SnapItem> firstSelectedItem() const;
    // In ascending position order.
    SnapItems selectedItems() const;
    bool isSelectionEmpty() const;
    bool isSelectionSingle() const;
    // As many positions selected as there are items (an empty list counts as all selected).
    bool isAllSelected() const;
    // Each posts only when the selection changes.
    void selectAll();
    void deselectAll();

    // Registers the observer for the three notifications of this manager, held weakly; the observer must be a
    // core::Object (others are not registered).
    void addObserver(const std::shared_ptr<SnapsManagerObserver>& observer);
    // Callable from the observer's destructor.
    void removeObserver(const SnapsManagerObserver* observer);

private:
    // Every position of the list.
    core::IndexSet allPositions() const;

    const std::shared_ptr<orvalis::Movie> movie_;
    SnapItems items_;
    core::IndexSet selection_;
};

}  // namespace vistrel
