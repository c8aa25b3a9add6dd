// The document of one movie file: its Movie and the SnapsManager of its snaps, its window (the movie panel,
// the snap and generator buttons, the snaps strip), its frames (DocumentFrames: the one Thumbnailer and its
// serial thumbnail queue), its exports (DocumentExports: the export queue, the names, the files), and its
// snaps kept across launches through the session. The movie file is only ever read. Busy work (exporting,
// restoring, generating) is counted, so that the window refuses to close, the snap command stays off and
// quitting asks until the last of it has finished. Main thread only, but onMain.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/document/document_exports.h"
#include "app/document/document_frames.h"
#include "app/document/document_state.h"
#include "app/document/snap_item.h"
#include "app/document/snaps_manager_observer.h"
#include "app/document/snaps_view_delegate.h"
#include "moviekit/movie.h"
#include "platform/ui/button.h"
#include "platform/ui/document.h"
#include "platform/ui/progress_indicator.h"
#include "platform/ui/sharing.h"
#include "platform/ui/text_field.h"
#include "platform/ui/text_view.h"
#include "platform/ui/window.h"
#include "platform/ui/window_delegate.h"

namespace orvalis {
class MovieViewController;
}

namespace vistrel {

class FlashMovieView;
class GeneratePopoverController;
class GIFExporterController;
class SnapsManager;
class SnapsView;

// The views of the document window that the document uses, set by the interface.
struct DocumentOutlets {
    std::weak_ptr<orvalis::MovieViewController> movieViewController;
    std::weak_ptr<FlashMovieView> movieView;
    std::weak_ptr<ui::Window> mainWindow;
    std::weak_ptr<SnapsView> snapsView;
    std::weak_ptr<ui::Button> snapButton;
    std::weak_ptr<ui::Button> exportButton;
    std::weak_ptr<ui::Button> shareButton;
    std::weak_ptr<ui::Button> generatorButton;
    std::weak_ptr<ui::TextField> snapsField;
    std::weak_ptr<ui::View> unplayableLabel;
    std::weak_ptr<ui::TextField> progressLabel;
    std::weak_ptr<ui::ProgressIndicator> progressIndicator;
    std::weak_ptr<ui::Window> exportErrorsAlert;
    std::weak_ptr<ui::TextView> exportErrorsTextView;
};

class Document : public ui::Document,
                 public ui::WindowDelegate,
                 public SnapsManagerObserver,
                 public SnapsViewDelegate,
                 public ui::SharingServicePickerDelegate,
                 public ui::SharingServiceDelegate {
public:
    // The interface of the document window, and the type of the files it opens.
    static constexpr const char* windowInterface = "Document";
    static constexpr const char* movieType = "Movie";

    Document() = default;
    ~Document() override;
    // Makes the commands performable.
    void awake() override;

    // Opens the movie (nothing of the file is read yet), an empty snaps manager, and the document's frames
    // and exports; never fails.
    void read(const core::Url& url, const std::string& typeName) override;
    std::string windowNibName() const override { return windowInterface; }
    // Wires the loaded window: posts DocumentDidLoadNotification, connects the strip and the document to the
    // snaps manager, and opens the movie. The movie's file is probed on a queue: one that answers within
    // openingWaitSeconds is wired at once; one that does not (a hung network mount) leaves the window in the
    // opening state, which can be closed, until it does (see movieDidOpen). While another movie is still
    // opening, the wait is only briefOpeningWaitSeconds: a launch with many movies of a hung mount in its
    // session is held up once, not once for each.
    void windowControllerDidLoadNib(ui::WindowController& controller) override;
    static constexpr double openingWaitSeconds = 1;
    static constexpr double briefOpeningWaitSeconds = 0.1;
    // How long the next document waits for its movie's file to answer.
    static double nextOpeningWait() { return stillOpening() > 0 ? briefOpeningWaitSeconds : openingWaitSeconds; }
    // Whether the movie's file has answered; until then nothing of the movie is asked on the main thread.
    bool isMovieOpen() const { return movieOpen_; }
    bool autosavesInPlace() const override { return false; }
    // Pauses the player, leaves the notification centre, closes, then posts DocumentDidCloseNotification.
    void close() override;
    // The snaps (those still being restored too), by time and edition, under "RestorableSnaps".
    void encodeRestorableState(core::KeyedArchiver& archiver) const override;
    // Saved snaps: the state becomes restoring and their miniatures are grabbed; they come in as they are
    // ready. Anything else under the key is ignored.
    void restoreState(core::KeyedUnarchiver& unarchiver) override;
    // Refused, with the cannot-close alert, while busy.
    bool windowShouldClose(ui::Window& window) override;

    const std::shared_ptr<orvalis::Movie>& movie() const { return movie_; }
    const std::shared_ptr<SnapsManager>& snapsManager() const { return snapsManager_; }
    // The document's frames and exports, there once the document has read its file.
    DocumentFrames& frames() { return *frames_; }
    DocumentExports& exports() { return *exports_; }
    // The generator popover's controller, made on first use with the document as target.
    std::shared_ptr<GeneratePopoverController> generatorPopoverController();
    // The GIF sheet's controller, made on first use.
    std::shared_ptr<GIFExporterController> gifSheetWindowController();

    // State and its presentation.
    DocumentState state() const { return state_; }
    // Changes the state and what the window shows of it; the same state again does nothing.
    void setState(DocumentState state);
    // Busy work begins: its state shows until it ends; several may run at once.
    void beginBusyWork(DocumentState state);
    // Busy work ends: the state of the work still running shows, or, when none runs, snapping or selecting
    // by the selection.
    void endBusyWork(DocumentState state);
    // Whether busy work is under way.
    bool isAtWork() const { return !busyWork_.empty(); }
    // For quitting: the busy work stops where it is: a frame or file under way is finished, nothing more
    // begins, and each piece of work then ends as usual. Snaps still being restored stay in the session.
    void stopBusyWork();
    // The state's title, " : " and the whole percentage of the fraction done.
    void updateProgress(double fraction);
    void updateSnapsField();
    void showCannotBeClosedAlert();
    // Shows the export-errors sheet with the text; nothing for an empty text.
    void showExportErrors(const std::string& text);

    // Commands.
    void snapImage(const std::shared_ptr<core::Object>& sender);
    void selectAll(const std::shared_ptr<core::Object>& sender);
    void deselectAll(const std::shared_ptr<core::Object>& sender);
    void removeSelection(const std::shared_ptr<core::Object>& sender);
    void removeAll(const std::shared_ptr<core::Object>& sender);
    void showGeneratorPopover(const std::shared_ptr<core::Object>& sender);
    void performSnapsGeneration(const std::shared_ptr<core::Object>& sender);
    // The export commands (document_export.cpp): the format of an image export is the sender's tag.
    void exportAsImage(const std::shared_ptr<core::Object>& sender);
    void exportAllAsImage(const std::shared_ptr<core::Object>& sender);
    void exportAllAsGIF(const std::shared_ptr<core::Object>& sender);
    void copySelectedItem(const std::shared_ptr<core::Object>& sender);
    // When another file is under the movie's name since the document opened it, the snaps' frames are not had
    // from it: each is an error of the export-errors sheet, and the answer is true.
    bool refusedForChangedMovie(const SnapItems& snaps);
    void showShareMenu(const std::shared_ptr<core::Object>& sender);
    void closeExportErrorsAlert(const std::shared_ptr<core::Object>& sender);
    // The export button's menu of the export commands.
    void showExportMenu(const std::shared_ptr<core::Object>& sender);

    // The exports the commands start (DocumentExports): image files into a folder, the names they get there
    // returned at once, and one animated GIF, in place of the file at the URL only when `replacing`.
    std::vector<std::string> asyncExport(const SnapItems& snaps, const core::Url& folder);
    void asyncExportAsGIF(const SnapItems& snaps, const core::Url& url, bool replacing = false);
    // Where a shared picture comes from on the screen: the movie's picture for an image, else the zero
    // rectangle.
    gfx::Rect sharingSourceFrame(const ui::SharingItem& item) const;
    // Sharing delegates: the document serves every service, tells where the picture comes from, hands it as
    // the transition's picture and names its window.
    std::shared_ptr<ui::SharingServiceDelegate> delegateForSharingService(ui::SharingServicePicker& picker,
                                                                          ui::SharingService& service) override;
    gfx::Rect sourceFrameOnScreenForShareItem(ui::SharingService& service, const ui::SharingItem& item) override;
    gfx::ImageRef transitionImageForShareItem(ui::SharingService& service, const ui::SharingItem& item,
                                              gfx::Rect* contentRect) override;
    std::shared_ptr<ui::Window> sourceWindowForShareItems(ui::SharingService& service,
                                                          const std::vector<ui::SharingItem>& items,
                                                          int* scope) override;
    bool validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item) override;

    // SnapsManagerObserver.
    void snapsManagerDidAppendItems(const core::Notification& notification) override;
    void snapsManagerDidRemoveItems(const core::Notification& notification) override;
    void snapsManagerDidChangeSelection(const core::Notification& notification) override;
    // SnapsViewDelegate.
    bool snapsViewCanDragSelection(SnapsView& view) override { return true; }
    // Writes the snaps dragged (outside a drag, the selected ones) as files of the preferred format; when any
    // of them fails, the errors say that nothing was dropped, for the drop then hands over none.
    std::optional<std::vector<std::string>> snapsViewDropSelectionTo(SnapsView& view, const core::Url& folder) override;
    bool snapsViewDroppedFilesSettled(SnapsView& view) override { return exports_->dropsSettled(); }
    void snapsViewDroppedFilesWithheld(SnapsView& view) override;

    // For the interface: its views, and the objects of the window that no view holds (the movie panel's
    // controller, the export-errors sheet), kept as long as the document.
    void setOutlets(const DocumentOutlets& outlets) { outlets_ = outlets; }
    void keepInterfaceObject(const std::shared_ptr<core::Object>& object) { interfaceObjects_.push_back(object); }
    // The outlets; null when the interface set none or it has gone.
    std::shared_ptr<orvalis::MovieViewController> movieViewController() const
    {
        return outlets_.movieViewController.lock();
    }
    std::shared_ptr<FlashMovieView> movieView() const { return outlets_.movieView.lock(); }
    std::shared_ptr<ui::Window> mainWindow() const { return outlets_.mainWindow.lock(); }
    std::shared_ptr<SnapsView> snapsView() const { return outlets_.snapsView.lock(); }
    std::shared_ptr<ui::Button> snapButton() const { return outlets_.snapButton.lock(); }
    std::shared_ptr<ui::Button> exportButton() const { return outlets_.exportButton.lock(); }
    std::shared_ptr<ui::Button> shareButton() const { return outlets_.shareButton.lock(); }
    std::shared_ptr<ui::Button> generatorButton() const { return outlets_.generatorButton.lock(); }
    std::shared_ptr<ui::TextField> snapsField() const { return outlets_.snapsField.lock(); }
    std::shared_ptr<ui::View> unplayableLabel() const { return outlets_.unplayableLabel.lock(); }
    std::shared_ptr<ui::TextField> progressLabel() const { return outlets_.progressLabel.lock(); }
    std::shared_ptr<ui::ProgressIndicator> progressIndicator() const { return outlets_.progressIndicator.lock(); }
    std::shared_ptr<ui::Window> exportErrorsAlert() const { return outlets_.exportErrorsAlert.lock(); }
    std::shared_ptr<ui::TextView> exportErrorsTextView() const { return outlets_.exportErrorsTextView.lock(); }

    // Runs `work` on the main thread with the document, when it is still there, and waits for it (from a
    // queue: never from the main thread itself while the queue waits for it).
    static void onMain(const std::weak_ptr<Document>& weak, const std::function<void(Document&)>& work);

    // The snap button's pictures while snapping and while selecting.
    static gfx::ImageRef snapRedButtonImage();
    static gfx::ImageRef snapBlankButtonImage();

private:
    // Snapping when nothing is selected, selecting otherwise.
    DocumentState stateBySelection() const;
    // The movie has been probed: hands it to the movie panel, puts the panel's controller in the responder
    // chain, shows or hides what its playability decides, and starts the restore of snaps that waited for it.
    void movieDidOpen();
    // The movie has been probed and can be played.
    bool isPlayable() const;
    // How many documents are in the opening state (main thread), and this one's leaving their count.
    static int& stillOpening();
    void leaveOpeningCount();
    void closeGeneratorPopover();
    // The miniature of a new snap, then the snap appended.
    void fillMiniature(const std::shared_ptr<SnapItem>& item);
    // The miniatures of a list with progress, then the busy work of `state` ended. A generated series is
    // appended at once; restored snaps come in as they are ready, so that the count grows with the progress.
    // Work stopped by stopBusyWork appends what it has done.
    void fillMiniatures(const SnapItems& items, DocumentState state);
    // Restored snaps whose miniatures are in leave the list of those still being restored.
    void takeRestored(const SnapItems& items);

    DocumentOutlets outlets_;
    std::vector<std::shared_ptr<core::Object>> interfaceObjects_;
    std::shared_ptr<orvalis::Movie> movie_;
    std::shared_ptr<SnapsManager> snapsManager_;
    std::shared_ptr<GeneratePopoverController> generatorPopoverController_;
    std::shared_ptr<GIFExporterController> gifSheetWindowController_;
    // The export and sharing menus shown last, kept while they may still be chosen from.
    std::shared_ptr<ui::Menu> exportMenu_;
    std::shared_ptr<ui::SharingServicePicker> sharingPicker_;
    // Whether the export-errors sheet is shown or waiting to be.
    bool exportErrorsShown_ = false;
    // Whether the GIF sheet is shown or waiting to be.
    bool gifSheetUp_ = false;
    DocumentState state_ = DocumentState::snapping;
    bool movieOpen_ = false;
    bool countedOpening_ = false;
    bool closed_ = false;
    std::vector<DocumentState> busyWork_;
    // Set for good by stopBusyWork; read by the work on the queues.
    std::shared_ptr<std::atomic<bool>> stopFlag_ = std::make_shared<std::atomic<bool>>(false);
    // Restored snaps whose miniatures are still being grabbed: kept in the session until they are appended.
    SnapItems restoring_;
    // Made by read; the exports use the frames.
    std::unique_ptr<DocumentFrames> frames_;
    std::unique_ptr<DocumentExports> exports_;
};

}  // namespace vistrel
