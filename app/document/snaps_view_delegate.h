// What the snaps strip asks of its document's sharing (DocumentSharing): whether the selected snaps may be
// dragged out now, and, when a drag of them starts, to write them as image files into a folder and give the
// names of the files written. Main thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/url.h"

namespace vistrel {

class SnapsView;

class SnapsViewDelegate {
public:
    virtual ~SnapsViewDelegate() = default;

    virtual bool snapsViewCanDragSelection(SnapsView& view) = 0;
    // The snaps dragged are the strip's draggedIndexes() during this call. Nullopt when nothing was written.
    virtual std::optional<std::vector<std::string>> snapsViewDropSelectionTo(SnapsView& view,
                                                                             const core::Url& folder) = 0;
    // Whether the files of the last drop are all written or failed.
    virtual bool snapsViewDroppedFilesSettled(SnapsView& view) { return true; }
    // The drop handed over none of them; the user is to be told.
    virtual void snapsViewDroppedFilesWithheld(SnapsView& view) {}
};

}  // namespace vistrel
