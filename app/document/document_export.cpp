// The document's export commands: snaps as image files into a chosen folder, all snaps as an animated GIF
// through the GIF sheet, the selected snap on the clipboard or in the sharing menu, and the files of a drag
// out of the strip. The files themselves are written by the document's exports (DocumentExports).
#include "app/document/document.h"
#include "app/document/flash_movie_view.h"
#include "app/document/gif_exporter_controller.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "appkit/sender_tag.h"
#include "appkit/sharing_extensions.h"
#include "foundation/bundle_info.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "platform/ui/application.h"
#include "platform/ui/pasteboard.h"
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
    panel->beginSheetModal(document.mainWindow(), [weak, panel, format, all](ui::ModalResponse response) {
        const auto self = weak.lock();
        if (!self || response != ui::ModalResponses::ok) return;
        self->exports().setExportFormat(format);
        const auto folder = panel->url();
        if (!folder) return;
        const auto& manager = *self->snapsManager();
        self->asyncExport(all ? manager.items() : manager.selectedItems(), *folder);
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

std::vector<std::string> Document::asyncExport(const SnapItems& snaps, const core::Url& folder)
{
    return exports_->exportImages(snaps, folder);
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
    mainWindow()->beginSheet(controller->window(), [weak](ui::ModalResponse returnCode) {
        const auto self = weak.lock();
        if (!self) return;
        self->gifSheetUp_ = false;
        // The frames as the user left them, read before the sheet empties its list.
        const auto sheet = self->gifSheetWindowController();
        if (!sheet->fileURL() || returnCode != ui::ModalResponses::ok) return;
        self->asyncExportAsGIF(sheet->snapItems(), *sheet->fileURL(), sheet->replacesFile());
    });
}

void Document::asyncExportAsGIF(const SnapItems& snaps, const core::Url& url, bool replacing)
{
    exports_->exportGIF(snaps, url, replacing);
}

// The clipboard and sharing.

void Document::copySelectedItem(const std::shared_ptr<core::Object>&)
{
    const auto item = snapsManager_->firstSelectedItem();
    if (!item) return ui::beep();
    if (refusedForChangedMovie({item})) return;
    frames_->fullImage(item, [](const gfx::ImageRef& image) {
        const auto png = image ? kestrane::PNGData(image) : std::nullopt;
        if (!png) return;
        const auto pasteboard = ui::Pasteboard::general();
        pasteboard->clearContents();
        pasteboard->setData(*png, ui::PasteboardType::png);
    });
}

void Document::showShareMenu(const std::shared_ptr<core::Object>&)
{
    if (snapsManager_->isSelectionEmpty()) return ui::beep();
    if (!snapsManager_->isSelectionSingle()) {
        sharingPicker_ = core::make<ui::SharingServicePicker>(std::vector<ui::SharingItem>{});
        kestrane::showAtTop(*sharingPicker_, shareButton());
        return;
    }
    if (refusedForChangedMovie({snapsManager_->firstSelectedItem()})) return;
    std::weak_ptr<Document> weak = sharedAs<Document>();
    frames_->fullImage(snapsManager_->firstSelectedItem(), [weak](const gfx::ImageRef& image) {
        const auto self = weak.lock();
        if (!self) return;
        if (!image) return ui::beep();
        self->sharingPicker_ = core::make<ui::SharingServicePicker>(
            std::vector{ui::SharingItem{.image = image, .url = std::nullopt, .text = {}}});
        self->sharingPicker_->setDelegate(self);
        kestrane::showAtTop(*self->sharingPicker_, self->shareButton());
    });
}

bool Document::refusedForChangedMovie(const SnapItems& snaps)
{
    if (!frames_->frameGrabber().movieFileChanged()) return false;
    std::string errors;
    for (const auto& snap : snaps)
        errors += DocumentExports::cannotSnapLine(*snap, FrameGrabber::movieFileChangedReason);
    showExportErrors(errors);
    return true;
}

gfx::Rect Document::sharingSourceFrame(const ui::SharingItem& item) const
{
    const auto view = movieView();
    const auto window = mainWindow();
    if (!item.image || !view || !window) return {};
    return window->convertRectToScreen(view->convertRectTo(view->videoRect(), nullptr));
}

std::shared_ptr<ui::SharingServiceDelegate> Document::delegateForSharingService(ui::SharingServicePicker&,
                                                                                ui::SharingService&)
{
    return sharedAs<Document>();
}

gfx::Rect Document::sourceFrameOnScreenForShareItem(ui::SharingService&, const ui::SharingItem& item)
{
    return sharingSourceFrame(item);
}

gfx::ImageRef Document::transitionImageForShareItem(ui::SharingService&, const ui::SharingItem& item, gfx::Rect*)
{
    return item.image;
}

std::shared_ptr<ui::Window> Document::sourceWindowForShareItems(ui::SharingService&,
                                                                const std::vector<ui::SharingItem>&, int*)
{
    return mainWindow();
}

// Dragging out of the strip.

std::optional<std::vector<std::string>> Document::snapsViewDropSelectionTo(SnapsView& view, const core::Url& folder)
{
    const core::IndexSet& dragged =
        view.draggedIndexes().isEmpty() ? snapsManager_->selection() : view.draggedIndexes();
    const SnapItems& items = snapsManager_->items();
    SnapItems snaps;
    for (const long k : dragged)
        if (k >= 0 && std::size_t(k) < items.size()) snaps.push_back(items[std::size_t(k)]);
    return exports_->exportDrop(snaps, folder);
}

void Document::snapsViewDroppedFilesWithheld(SnapsView&)
{
    // When the writing failed, its errors say so at its end; here it took too long.
    if (!exports_->dropsSettled()) showExportErrors(DocumentExports::droppedNothingLine);
}

}  // namespace vistrel
