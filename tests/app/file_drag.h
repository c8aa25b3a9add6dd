// A drag of files from another program, as the drop targets of the app's windows see it. Main thread only.
#pragma once

#include <vector>

#include "platform/core/url.h"
#include "platform/ui/dragging.h"
#include "platform/ui/pasteboard.h"

namespace documenttest {

struct Drag : ui::DraggingInfo {
    std::vector<core::Url> files;
    explicit Drag(std::vector<core::Url> files) : files(std::move(files)) {}
    gfx::Point draggingLocation() const override { return {10, 10}; }
    ui::DragOperation draggingSourceOperationMask() const override { return ui::DragOperations::copy; }
    std::vector<std::string> types() const override { return {ui::PasteboardType::filenames}; }
    std::optional<core::Data> data(const std::string&) const override { return std::nullopt; }
    std::vector<core::Url> fileURLs() const override { return files; }
    std::shared_ptr<ui::DraggingSource> draggingSource() const override { return nullptr; }
};

}  // namespace documenttest
