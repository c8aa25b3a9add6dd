#include "app/document/document_sharing.h"

#include "app/document/flash_movie_view.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "appkit/sharing_extensions.h"
#include "foundation/image_encoding.h"
#include "platform/ui/application.h"
#include "platform/ui/pasteboard.h"

namespace vistrel {

DocumentSharing::DocumentSharing(std::weak_ptr<DocumentWork> document, std::shared_ptr<SnapsManager> snapsManager,
                                 DocumentFrames& frames, DocumentExports& exports)
    : document_(std::move(document)), snapsManager_(std::move(snapsManager)), frames_(frames), exports_(exports)
{
}

DocumentOutlets DocumentSharing::outlets() const
{
    const auto document = document_.lock();
    return document ? document->outlets() : DocumentOutlets{};
}

void DocumentSharing::showExportErrors(const std::string& text)
{
    if (const auto document = document_.lock()) document->showExportErrors(text);
}

// The clipboard and sharing.

void DocumentSharing::copySelectedItem()
{
    const auto item = snapsManager_->firstSelectedItem();
    if (!item) return ui::beep();
    if (refusedForChangedMovie({item})) return;
    frames_.fullImage(item, [](const gfx::ImageRef& image) {
        const auto png = image ? kestrane::PNGData(image) : std::nullopt;
        if (!png) return;
        const auto pasteboard = ui::Pasteboard::general();
        pasteboard->clearContents();
        pasteboard->setData(*png, ui::PasteboardType::png);
    });
}

void DocumentSharing::showShareMenu()
{
    if (snapsManager_->isSelectionEmpty()) return ui::beep();
    if (!snapsManager_->isSelectionSingle()) {
        sharingPicker_ = core::make<ui::SharingServicePicker>(std::vector<ui::SharingItem>{});
        kestrane::showAtTop(*sharingPicker_, outlets().shareButton.lock());
        return;
    }
    if (refusedForChangedMovie({snapsManager_->firstSelectedItem()})) return;
    std::weak_ptr<DocumentSharing> weak = sharedAs<DocumentSharing>();
    frames_.fullImage(snapsManager_->firstSelectedItem(), [weak](const gfx::ImageRef& image) {
        const auto self = weak.lock();
        if (!self) return;
        if (!image) return ui::beep();
        self->sharingPicker_ = core::make<ui::SharingServicePicker>(
            std::vector{ui::SharingItem{.image = image, .url = std::nullopt, .text = {}}});
        self->sharingPicker_->setDelegate(self);
        kestrane::showAtTop(*self->sharingPicker_, self->outlets().shareButton.lock());
    });
}

bool DocumentSharing::refusedForChangedMovie(const SnapItems& snaps)
{
    if (!frames_.frameGrabber().movieFileChanged()) return false;
    std::string errors;
    for (const auto& snap : snaps)
        errors += DocumentExports::cannotSnapLine(*snap, FrameGrabber::movieFileChangedReason);
    showExportErrors(errors);
    return true;
}

gfx::Rect DocumentSharing::sharingSourceFrame(const ui::SharingItem& item) const
{
    const auto view = outlets().movieView.lock();
    const auto window = outlets().mainWindow.lock();
    if (!item.image || !view || !window) return {};
    return window->convertRectToScreen(view->convertRectTo(view->videoRect(), nullptr));
}

std::shared_ptr<ui::SharingServiceDelegate> DocumentSharing::delegateForSharingService(ui::SharingServicePicker&,
                                                                                       ui::SharingService&)
{
    return sharedAs<DocumentSharing>();
}

gfx::Rect DocumentSharing::sourceFrameOnScreenForShareItem(ui::SharingService&, const ui::SharingItem& item)
{
    return sharingSourceFrame(item);
}

gfx::ImageRef DocumentSharing::transitionImageForShareItem(ui::SharingService&, const ui::SharingItem& item, gfx::Rect*)
{
    return item.image;
}

std::shared_ptr<ui::Window> DocumentSharing::sourceWindowForShareItems(ui::SharingService&,
                                                                       const std::vector<ui::SharingItem>&, int*)
{
    return outlets().mainWindow.lock();
}

// Dragging out of the strip.

std::optional<std::vector<std::string>> DocumentSharing::snapsViewDropSelectionTo(SnapsView& view,
                                                                                  const core::Url& folder)
{
    const core::IndexSet& dragged =
        view.draggedIndexes().isEmpty() ? snapsManager_->selection() : view.draggedIndexes();
    const SnapItems& items = snapsManager_->items();
    SnapItems snaps;
    for (const long k : dragged)
        if (k >= 0 && std::size_t(k) < items.size()) snaps.push_back(items[std::size_t(k)]);
    return exports_.exportDrop(snaps, folder);
}

void DocumentSharing::snapsViewDroppedFilesWithheld(SnapsView&)
{
    // When the writing failed, its errors say so at its end; here it took too long.
    if (!exports_.dropsSettled()) showExportErrors(DocumentExports::droppedNothingLine);
}

}  // namespace vistrel
