// What follows a snaps manager: the three notifications it posts (appended items, removed items, changed
// selection), each handed over as posted. Observers are platform objects (core::Object); they register through
// SnapsManager::addObserver and leave through removeObserver. Main thread only.
#pragma once

#include "platform/core/notification_center.h"

namespace vistrel {

class SnapsManagerObserver {
public:
    virtual ~SnapsManagerObserver() = default;

    // userInfo SnapsItemsKey: the appended items (SnapItems), now at the end of the list.
    virtual void snapsManagerDidAppendItems(const core::Notification& notification) = 0;
    // userInfo SnapsIndexesKey: the removed positions (core::IndexSet), counted before the removal.
    virtual void snapsManagerDidRemoveItems(const core::Notification& notification) = 0;
    // userInfo SnapsIndexesKey: the new selection (core::IndexSet).
    virtual void snapsManagerDidChangeSelection(const core::Notification& notification) = 0;
};

}  // namespace vistrel
