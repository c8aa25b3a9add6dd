// Drag and drop: what a drop target sees of a drag (its data, its location in the window, the operations
// the source allows), what a drag source answers, and the items a view drags. Main thread only.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/data.h"
#include "platform/core/url.h"
#include "platform/gfx/image.h"
#include "platform/gfx/rect.h"
#include "platform/ui/pasteboard.h"

namespace ui {

// Bits of what a drag does.
using DragOperation = unsigned;
namespace DragOperations {
constexpr DragOperation none = 0;
constexpr DragOperation copy = 1;
constexpr DragOperation link = 2;
constexpr DragOperation generic = 4;
constexpr DragOperation privateOperation = 8;
constexpr DragOperation move = 16;
constexpr DragOperation deleteOperation = 32;
constexpr DragOperation every = ~0u;
}  // namespace DragOperations

enum class DraggingContext { outsideApplication = 0, withinApplication = 1 };

class DraggingSource {
public:
    virtual ~DraggingSource() = default;
    virtual DragOperation sourceOperationMask(DraggingContext context) { return DragOperations::copy; }
    // Writes the promised files into `destination`, or starts writing them, and gives their names; called when
    // a drag that carries promises (PasteboardType::promisedFile) starts. Each file must appear whole under
    // its name: a drop target is handed the files once all of them are there.
    virtual std::vector<std::string> namesOfPromisedFilesDroppedAtDestination(const core::Url& destination)
    {
        return {};
    }
    // Whether the writing of the promised files is over, each written or failed: a drop target is handed the
    // files once all of them are there, or none once the writing is over without some of them.
    virtual bool promisedFilesSettled() { return true; }
    // A drop handed over none of the promised files (some were not written, or not within a minute): the
    // source tells the user.
    virtual void promisedFilesWithheld() {}
    virtual void draggingSessionEnded(DragOperation operation) {}
};

// Removes the folders of dragged files that programs which have ended (or were killed) left in the temporary
// folder; run as the program starts. A running program's folder is left alone.
void removeLeftoverDragFiles();
// Where this program writes the files of its drags: a folder of its own in the temporary folder, removed when
// the program ends; each drag gets a folder inside, removed when the drag ends without a drop or hands over
// none, and, after a drop, once the target has read every file.
std::string dragFilesFolder();
// How many reads of the files of this program's drags have been seen through so far (a drop target that read a
// file to its end, copying it), for those who wait for a target to be done with some of them.
std::size_t dragFileReadsSeen();

class DraggingInfo {
public:
    virtual ~DraggingInfo() = default;
    // In the window's content area, y-up.
    virtual gfx::Point draggingLocation() const = 0;
    virtual DragOperation draggingSourceOperationMask() const = 0;
    virtual std::vector<std::string> types() const = 0;
    virtual std::optional<core::Data> data(const std::string& type) const = 0;
    // The local files the drag carries, in order.
    virtual std::vector<core::Url> fileURLs() const = 0;
    // The source when the drag began in this program.
    virtual std::shared_ptr<DraggingSource> draggingSource() const = 0;
};

// One thing dragged: data by type or a promise of files, with where it starts (in the view) and its picture.
struct DraggingItem {
    std::shared_ptr<PasteboardItem> item;
    gfx::Rect draggingFrame;
    gfx::ImageRef image;
};

}  // namespace ui
