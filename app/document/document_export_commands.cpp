// The document's export commands: snaps as image files into a chosen folder, and all snaps as an animated GIF
// through the GIF sheet. The files themselves are written by the document's exports (DocumentExports).
#include "app/document/document.h"
#include "app/document/gif_exporter_controller.h"
#include "app/document/snaps_manager.h"
#include "appkit/sender_tag.h"
#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "platform/ui/save_panel.h"

namespace vistrel {

namespace {

// The format a command's sender names by its tag; PNG for a sender without a tag.
kestrane::ImageFormat senderFormat(const std::shared_ptr<core::Object>& sender)
{
    return imageFormatOf(kestrane::senderTag(sender).value_or(0));
}

// Asks for a folder in a sheet, then exports the selected snaps, or all, in the format into it.
void chooseFolderThenExport(Document& document, kestrane::ImageFormat format, const std::string& promptKey, bool all)
{
    auto panel = core::make<ui::OpenPanel>();
    panel->setCanChooseFiles(false);
    panel->setCanChooseDirectories(true);
    panel->setCanCreateDirectories(true);
    panel->setPrompt(kestrane::local(*kestrane::MB.get(), promptKey));
    std::weak_ptr<Document> weak = document.sharedAs<Document>();
    panel->beginSheetModal(document.outlets().mainWindow.lock(),
                           [weak, panel, format, all](ui::ModalResponse response) {
                               const auto self = weak.lock();
                               if (!self || response != ui::ModalResponses::ok) return;
                               self->exports().setExportFormat(format);
                               const auto folder = panel->url();
                               if (!folder) return;
                               const auto& manager = *self->snapsManager();
                               self->exports().exportImages(all ? manager.items() : manager.selectedItems(), *folder);
                           });
}

}  // namespace

// Image files.

void Document::exportAsImage(const std::shared_ptr<core::Object>& sender)
{
    chooseFolderThenExport(*this, senderFormat(sender), "Document.ExportAsImage.PromptTitle", false);
}

void Document::exportAllAsImage(const std::shared_ptr<core::Object>& sender)
{
    chooseFolderThenExport(*this, senderFormat(sender), "Document.ExportAllAsImage.PromptTitle", true);
}

// The animated GIF.

std::shared_ptr<GIFExporterController> Document::gifSheetWindowController()
{
    if (!gifSheetWindowController_) gifSheetWindowController_ = GIFExporterController::create();
    return gifSheetWindowController_;
}

void Document::exportAllAsGIF(const std::shared_ptr<core::Object>&)
{
    // One sheet at a time: the command again while it is up (or waiting to be) does nothing.
    if (gifSheetUp_) return;
    auto controller = gifSheetWindowController();
    controller->setSnapItems(snapsManager_->items());
    controller->setSaveName(movie_->filename());
    gifSheetUp_ = true;
    std::weak_ptr<Document> weak = sharedAs<Document>();
    outlets_.mainWindow.lock()->beginSheet(controller->window(), [weak](ui::ModalResponse returnCode) {
        const auto self = weak.lock();
        if (!self) return;
        self->gifSheetUp_ = false;
        // The frames as the user left them, read before the sheet empties its list.
        const auto sheet = self->gifSheetWindowController();
        if (!sheet->fileURL() || returnCode != ui::ModalResponses::ok) return;
        self->exports().exportGIF(sheet->snapItems(), *sheet->fileURL(), sheet->replacesFile());
    });
}

}  // namespace vistrel
