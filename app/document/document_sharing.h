// How one document's snaps leave the program other than by an export: the selected snap's picture on the
// clipboard, the selection in the sharing menu (with the sharing delegates: every service served, the picture
// coming from the movie's picture on the screen), and the files of snaps dragged out of the strip. Held by its
// Document, whose window it shows in and whose export-errors sheet tells its failures; main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/document/document_exports.h"
#include "app/document/document_frames.h"
#include "app/document/document_work.h"
#include "app/document/snap_item.h"
#include "app/document/snaps_view_delegate.h"
#include "platform/core/object.h"
#include "platform/ui/sharing.h"

namespace vistrel {

class SnapsManager;

class DocumentSharing : public core::Object,
                        public SnapsViewDelegate,
                        public ui::SharingServicePickerDelegate,
                        public ui::SharingServiceDelegate {
public:
    DocumentSharing(std::weak_ptr<DocumentWork> document, std::shared_ptr<SnapsManager> snapsManager,
                    DocumentFrames& frames, DocumentExports& exports);

    // The selected snap's picture on the clipboard as PNG; a beep without a selection.
    void copySelectedItem();
    // The sharing menu under the share button: of the selected snap's picture, or empty for several.
    void showShareMenu();

    // Where a shared picture comes from on the screen: the movie's picture for an image, else the zero
    // rectangle.
    gfx::Rect sharingSourceFrame(const ui::SharingItem& item) const;
    // Sharing delegates: this serves every service, tells where the picture comes from, hands it as the
    // transition's picture and names the document's window.
    std::shared_ptr<ui::SharingServiceDelegate> delegateForSharingService(ui::SharingServicePicker& picker,
                                                                          ui::SharingService& service) override;
    gfx::Rect sourceFrameOnScreenForShareItem(ui::SharingService& service, const ui::SharingItem& item) override;
    gfx::ImageRef transitionImageForShareItem(ui::SharingService& service, const ui::SharingItem& item,
                                              gfx::Rect* contentRect) override;
    std::shared_ptr<ui::Window> sourceWindowForShareItems(ui::SharingService& service,
                                                          const std::vector<ui::SharingItem>& items,
                                                          int* scope) override;

    // SnapsViewDelegate: the strip's drags out.
    bool snapsViewCanDragSelection(SnapsView& view) override { return true; }
    // Writes the snaps dragged (outside a drag, the selected ones) as files of the preferred format; when any
    // of them fails, the errors say that nothing was dropped, for the drop then hands over none.
    std::optional<std::vector<std::string>> snapsViewDropSelectionTo(SnapsView& view, const core::Url& folder) override;
    bool snapsViewDroppedFilesSettled(SnapsView& view) override { return exports_.dropsSettled(); }
    void snapsViewDroppedFilesWithheld(SnapsView& view) override;

private:
    // When another file is under the movie's name since the document opened it, the snaps' frames are not had
    // from it: each is an error of the export-errors sheet, and the answer is true.
    bool refusedForChangedMovie(const SnapItems& snaps);
    void showExportErrors(const std::string& text);
    // The document's window views; none once the document has gone.
    DocumentOutlets outlets() const;

    const std::weak_ptr<DocumentWork> document_;
    const std::shared_ptr<SnapsManager> snapsManager_;
    DocumentFrames& frames_;
    DocumentExports& exports_;
    // The sharing menu shown last, kept while it may still be chosen from.
    std::shared_ptr<ui::SharingServicePicker> sharingPicker_;
};

}  // namespace vistrel
