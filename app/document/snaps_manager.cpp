#include "app/document/snaps_manager.h"

#include "app/document/defaults_keys.h"
#include "foundation/array_extensions.h"
#include "foundation/index_set_extensions.h"
#include "platform/core/main_thread.h"

namespace vistrel {

namespace {

core::NotificationCenter& center() { return core::NotificationCenter::defaultCenter(); }

}  // namespace

core::IndexSet SnapsManager::allPositions() const
{
    return core::IndexSet::inRange(0, core::IndexSet::Index(items_.size()));
}

void SnapsManager::append(const SnapItems& items)
{
    core::assertMainThread();
    items_.insert(items_.end(), items.begin(), items.end());
    center().post(SnapsManagerDidAppendItemsNotification, shared_from_this(), {{SnapsItemsKey, items}});
}

void SnapsManager::removeAt(const core::IndexSet& positions)
{
    core::assertMainThread();
    const core::IndexSet removed = positions.intersection(allPositions());
    kestrane::removeAt(items_, removed);
    core::IndexSet kept = selection_;
    for (const auto position : removed)
        kept.remove(position);
    selection_ = kept.intersection(allPositions());
    center().post(SnapsManagerDidRemoveItemsNotification, shared_from_this(), {{SnapsIndexesKey, removed}});
}

void SnapsManager::removeSelection() { removeAt(selection()); }

void SnapsManager::removeAll() { removeAt(allPositions()); }

void SnapsManager::setSelection(const core::IndexSet& selection)
{
    core::assertMainThread();
    const core::IndexSet bounded = selection.intersection(allPositions());
    if (bounded == selection_) return;
    selection_ = bounded;
    center().post(SnapsManagerDidChangeSelectionNotification, shared_from_this(), {{SnapsIndexesKey, bounded}});
}

void SnapsManager::changeSelection(const std::function<void(core::IndexSet&)>& change)
{
    core::assertMainThread();
    core::IndexSet changed = selection();
    change(changed);
    setSelection(changed);
}

std::shared_ptr<SnapItem> SnapsManager::firstSelectedItem() const
{
    core::assertMainThread();
    const auto first = selection_.first();
    if (!first) return nullptr;
    return kestrane::safeAccess(items_, std::ptrdiff_t(*first)).value_or(nullptr);
}

SnapItems SnapsManager::selectedItems() const { return kestrane::subscript(items_, selection_); }

bool SnapsManager::isSelectionEmpty() const { return selection_.isEmpty(); }

bool SnapsManager::isSelectionSingle() const { return kestrane::isSingle(selection_); }

bool SnapsManager::isAllSelected() const { return selection_.count() == items_.size(); }

void SnapsManager::selectAll()
{
    core::assertMainThread();
    if (!isAllSelected()) setSelection(allPositions());
}

void SnapsManager::deselectAll()
{
    core::assertMainThread();
    if (!isSelectionEmpty()) setSelection({});
}

void SnapsManager::addObserver(const std::shared_ptr<SnapsManagerObserver>& observer)
{
    core::assertMainThread();
    const auto* owner = dynamic_cast<const core::Object*>(observer.get());
    if (!owner) return;
    std::weak_ptr<SnapsManagerObserver> weak = observer;
    auto forward = [weak](void (SnapsManagerObserver::*handler)(const core::Notification&)) {
        return [weak, handler](const core::Notification& notification) {
            if (auto self = weak.lock()) ((*self).*handler)(notification);
        };
    };
    center().addObserver(owner, SnapsManagerDidAppendItemsNotification, this,
                         forward(&SnapsManagerObserver::snapsManagerDidAppendItems));
    center().addObserver(owner, SnapsManagerDidRemoveItemsNotification, this,
                         forward(&SnapsManagerObserver::snapsManagerDidRemoveItems));
    center().addObserver(owner, SnapsManagerDidChangeSelectionNotification, this,
                         forward(&SnapsManagerObserver::snapsManagerDidChangeSelection));
}

void SnapsManager::removeObserver(const SnapsManagerObserver* observer)
{
    const auto* owner = dynamic_cast<const core::Object*>(observer);
    if (!owner) return;
    for (const auto* name : {&SnapsManagerDidAppendItemsNotification, &SnapsManagerDidRemoveItemsNotification,
                             &SnapsManagerDidChangeSelectionNotification})
        center().removeObserver(owner, *name, this);
}

}  // namespace vistrel
