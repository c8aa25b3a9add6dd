// The document of one movie file: its Movie and the SnapsManager of its snaps, its window (the movie panel,
// the snap and generator buttons, the snaps strip), the one Thumbnailer that grabs its frames on the serial
// thumbnail queue, the export queue, and its snaps kept across launches through the session. The movie file
// is only ever read. Busy work (exporting, restoring, generating) is counted, so that the window refuses to
// close, the snap command stays off and quitting asks until the last of it has finished. Main thread only,
// except the grabs named as running on the queues.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/document/document_state.h"
#include "app/document/snap_item.h"
#include "app/document/snaps_manager_observer.h"
#include "app/document/snaps_view_delegate.h"
#include "foundation/image_format.h"
#include "moviekit/movie.h"
#include "moviekit/thumbnailer.h"
#include "platform/core/dispatch_queue.h"
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
    // The square a miniature fits in, in points (times the screens' largest scale).
    static constexpr double miniatureSide = 300;

    Document() = default;
    ~Document() override;
    // Makes the commands performable.
    void awake() override;

    // Opens the movie (nothing of the file is read yet) and an empty snaps manager; never fails.
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
    // Saved snaps: the state becomes restoring and their miniatures are grabbed, then all appended at once.
    // Anything else under the key is ignored.
    void restoreState(core::KeyedUnarchiver& unarchiver) override;
    // Refused, with the cannot-close alert, while busy.
    bool windowShouldClose(ui::Window& window) override;

    const std::shared_ptr<orvalis::Movie>& movie() const { return movie_; }
    const std::shared_ptr<SnapsManager>& snapsManager() const { return snapsManager_; }
    // The generator popover's controller, made on first use with the document as target.
    std::shared_ptr<GeneratePopoverController> generatorPopoverController();

    // State and its presentation.
    DocumentState state() const { return state_; }
    // Changes the state and what the window shows of it; the same state again does nothing.
    virtual void setState(DocumentState state);
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
    virtual void updateProgress(double fraction);
    virtual void updateSnapsField();
    virtual void showCannotBeClosedAlert();
    // Shows the export-errors sheet with the text; nothing for an empty text.
    void showExportErrors(const std::string& text);

    // Commands.
    virtual void snapImage(const std::shared_ptr<core::Object>& sender);
    virtual void selectAll(const std::shared_ptr<core::Object>& sender);
    virtual void deselectAll(const std::shared_ptr<core::Object>& sender);
    virtual void removeSelection(const std::shared_ptr<core::Object>& sender);
    virtual void removeAll(const std::shared_ptr<core::Object>& sender);
    virtual void showGeneratorPopover(const std::shared_ptr<core::Object>& sender);
    virtual void performSnapsGeneration(const std::shared_ptr<core::Object>& sender);
    // The export commands (document_export.cpp).
    virtual void exportAsImage(const std::shared_ptr<core::Object>& sender);
    virtual void exportAllAsImage(const std::shared_ptr<core::Object>& sender);
    virtual void exportAllAsGIF(const std::shared_ptr<core::Object>& sender);
    virtual void copySelectedItem(const std::shared_ptr<core::Object>& sender);
    virtual void showShareMenu(const std::shared_ptr<core::Object>& sender);
    virtual void closeExportErrorsAlert(const std::shared_ptr<core::Object>& sender);
    // The export button's menu of the export commands.
    void showExportMenu(const std::shared_ptr<core::Object>& sender);

    // Exports (document_export.cpp). Each counts as busy work from its start to its end, and the failures of
    // each are listed together in the export-errors sheet at its end.
    // Starts writing the snaps, in order, as image files of exportFormat into the folder on the export queue,
    // and returns at once the names the files get there, one per snap: each free of the folder's files and
    // of every name that exports still have to write, and never in place of anything.
    virtual std::vector<std::string> asyncExport(const SnapItems& snaps, const core::Url& folder);
    // Starts writing the frames, in order, into one animated GIF on a global queue: in place of the file at the
    // URL when `replacing` (the user said so), else at the URL or, when something is there by then, at the
    // next free name beside it.
    virtual void asyncExportAsGIF(const SnapItems& snaps, const core::Url& url, bool replacing = false);
    // The GIF sheet's controller, made on first use.
    std::shared_ptr<GIFExporterController> gifSheetWindowController();
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
                                                          const std::vector<ui::SharingItem>& items, int* scope) override;
    bool validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item) override;

    // Grabs. Each sets the thumbnailer's edition to the snap's, then its maximum size, then takes the exact
    // frame at the snap's time; a frame that cannot be had gives no image.
    // The miniature of a new snap on the thumbnail queue, then the snap appended on the main thread.
    void fillMiniature(const std::shared_ptr<SnapItem>& item);
    // The miniatures of a list on the thumbnail queue with progress, then the busy work of `state` ended. A
    // generated series is appended at once; restored snaps come in as they are ready, so that the count
    // grows with the progress. Work stopped by stopBusyWork appends what it has done.
    void fillMiniatures(const SnapItems& items, DocumentState state);
    // The document's frames off the main thread: its thumbnailer on its thumbnail queue. Work that outlives a
    // turn of the main loop keeps one of these rather than the document.
    struct FrameGrabber {
        std::shared_ptr<orvalis::Thumbnailer> thumbnailer;
        std::shared_ptr<core::DispatchQueue> queue;
        // Set when the document's busy work is to stop.
        std::shared_ptr<const std::atomic<bool>> stopFlag;
        // The snap's image within a square of that side (0 or less: full size), grabbed on the queue while
        // the caller waits; null when it cannot be had, or once the work is to stop.
        gfx::ImageRef image(const SnapItem& item, double side) const;
        bool stopped() const { return stopFlag && stopFlag->load(); }
    };
    FrameGrabber frameGrabber();
    // From the export queue: the snap's image within a square of that side (0: full size), grabbed
    // synchronously on the thumbnail queue; null when it cannot be had.
    gfx::ImageRef exportImage(const std::shared_ptr<SnapItem>& item, double side);
    // The full-size image, grabbed on the thumbnail queue and handed to `completion` on the main thread.
    void fullImage(const std::shared_ptr<SnapItem>& item, std::function<void(const gfx::ImageRef&)> completion);
    // "<movie title>-<hh-mm-ss-mmm>.<extension of exportFormat>".
    std::string snapFileName(const SnapItem& item) const;

    std::shared_ptr<core::DispatchQueue> thumbnailQueue();
    std::shared_ptr<core::DispatchQueue> exportQueue();
    gfx::Size miniatureThumbnailSize();
    kestrane::ImageFormat exportFormat() const { return exportFormat_; }
    void setExportFormat(kestrane::ImageFormat format) { exportFormat_ = format; }

    // SnapsManagerObserver.
    void snapsManagerDidAppendItems(const core::Notification& notification) override;
    void snapsManagerDidRemoveItems(const core::Notification& notification) override;
    void snapsManagerDidChangeSelection(const core::Notification& notification) override;
    // SnapsViewDelegate.
    bool snapsViewCanDragSelection(SnapsView& view) override { return true; }
    // Writes the snaps dragged (outside a drag, the selected ones) as files of the preferred format; when any
    // of them fails, the errors say that nothing was dropped, for the drop then hands over none.
    std::optional<std::vector<std::string>> snapsViewDropSelectionTo(SnapsView& view, const core::Url& folder) override;
    bool snapsViewDroppedFilesSettled(SnapsView& view) override { return dropExportsRunning_ == 0; }
    void snapsViewDroppedFilesWithheld(SnapsView& view) override;

    // Outlets, set by the interface.
    std::shared_ptr<orvalis::MovieViewController> movieViewController;
    std::shared_ptr<FlashMovieView> movieView;
    std::shared_ptr<ui::Window> mainWindow;
    std::shared_ptr<SnapsView> snapsView;
    std::shared_ptr<ui::Button> snapButton;
    std::shared_ptr<ui::Button> exportButton;
    std::shared_ptr<ui::Button> shareButton;
    std::shared_ptr<ui::Button> generatorButton;
    std::shared_ptr<ui::TextField> snapsField;
    std::shared_ptr<ui::View> unplayableLabel;
    std::shared_ptr<ui::TextField> progressLabel;
    std::shared_ptr<ui::ProgressIndicator> progressIndicator;
    std::shared_ptr<ui::Window> exportErrorsAlert;
    std::shared_ptr<ui::TextView> exportErrorsTextView;

    // Runs `work` on the main thread with the document, when it is still there, and waits for it (from a
    // queue: never from the main thread itself while the queue waits for it).
    static void onMain(const std::weak_ptr<Document>& weak, const std::function<void(Document&)>& work);

    // The snap button's pictures while snapping and while selecting.
    static gfx::ImageRef snapRedButtonImage();
    static gfx::ImageRef snapBlankButtonImage();

private:
    std::shared_ptr<orvalis::Thumbnailer> thumbnailer();
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
    // Restored snaps whose miniatures are in leave the list of those still being restored.
    void takeRestored(const SnapItems& items);

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
    // Exports of dropped snaps still writing.
    std::size_t dropExportsRunning_ = 0;
    // Starts an image export; `ended` runs on the main thread at its end, before its errors are shown.
    std::vector<std::string> startExport(const SnapItems& snaps, const core::Url& folder,
                                         std::function<void(Document&, std::string& errors)> ended);
    DocumentState state_ = DocumentState::snapping;
    bool movieOpen_ = false;
    bool countedOpening_ = false;
    bool closed_ = false;
    std::vector<DocumentState> busyWork_;
    // Set for good by stopBusyWork; read by the work on the queues.
    std::shared_ptr<std::atomic<bool>> stopFlag_ = std::make_shared<std::atomic<bool>>(false);
    // Restored snaps whose miniatures are still being grabbed: kept in the session until they are appended.
    SnapItems restoring_;
    kestrane::ImageFormat exportFormat_ = kestrane::ImageFormat::png;

    std::once_flag thumbnailerMade_, thumbnailQueueMade_, exportQueueMade_, miniatureSizeMade_;
    std::shared_ptr<orvalis::Thumbnailer> thumbnailer_;
    std::shared_ptr<core::DispatchQueue> thumbnailQueue_;
    std::shared_ptr<core::DispatchQueue> exportQueue_;
    gfx::Size miniatureThumbnailSize_;
};

}  // namespace vistrel
