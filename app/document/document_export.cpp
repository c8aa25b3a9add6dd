// The document's export commands: images into a folder, an animated GIF, the clipboard, sharing and the
// files of a drag out of the strip. They are validated with the other commands; until the exporting code
// exists here, each only beeps and a drag writes nothing.
#include "app/document/document.h"

#include "platform/ui/application.h"

namespace vistrel {

void Document::exportAsImage(const std::shared_ptr<core::Object>&) { ui::beep(); }

void Document::exportAllAsImage(const std::shared_ptr<core::Object>&) { ui::beep(); }

void Document::exportAllAsGIF(const std::shared_ptr<core::Object>&) { ui::beep(); }

void Document::copySelectedItem(const std::shared_ptr<core::Object>&) { ui::beep(); }

void Document::showShareMenu(const std::shared_ptr<core::Object>&) { ui::beep(); }

std::optional<std::vector<std::string>> Document::snapsViewDropSelectionTo(SnapsView&, const core::Url&)
{
    return std::nullopt;
}

}  // namespace vistrel
