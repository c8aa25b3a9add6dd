// The document of one movie file: its Movie and the SnapsManager of its snaps, its window (the movie panel,
// the snap and generator buttons, the snaps strip), its frames (DocumentFrames: the one Thumbnailer and its
// serial thumbnail queue), its exports (DocumentExports: the export queue, the names, the files), its sharing
// (DocumentSharing: the clipboard, the sharing menu, the drags out of the strip), and its snaps kept across
// launches through the session. Its parts reach it only as a DocumentWork. The movie file is only ever read.
// Busy work (exporting, restoring, generating) is counted, so that the window refuses to close, the snap
// command stays off and quitting asks until the last of it has finished. Main thread only.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/document/document_exports.h"
#include "app/document/document_frames.h"
#include "app/document/document_outlets.h"
#include "app/document/document_sharing.h"
#include "app/document/document_state.h"
#include "app/document/document_work.h"
#include "app/document/snap_item.h"
#include "app/document/snaps_manager_observer.h"
#include "moviekit/movie.h"
#include "platform/ui/document.h"
#include "platform/ui/menu.h"
#include "platform/ui/window_delegate.h"

namespace vistrel {

class GeneratePopoverController;
class GIFExporterController;
class SnapsManager;

class Document : public ui::Document, public ui::WindowDelegate, public SnapsManagerObserver, public DocumentWork {
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
    // The clipboard, the sharing menu and the drags out of the strip; there once the document has read its file.
    const std::shared_ptr<DocumentSharing>& sharing() const { return sharing_; }
    // The generator popover's controller, made on first use with the document as target.
    std::shared_ptr<GeneratePopoverController> generatorPopoverController();
    // The GIF sheet's controller, made on first use.
    std::shared_ptr<GIFExporterController> gifSheetWindowController();

    // State and its presentation.
    DocumentState state() const { return state_; }
    // Changes the state and what the window shows of it; the same state again does nothing.
    void setState(DocumentState state);
    // DocumentWork.
    void beginBusyWork(DocumentState state) override;
    void endBusyWork(DocumentState state) override;
    void updateProgress(double fraction) override;
    void showExportErrors(const std::string& text) override;
    // The views of the window and the objects of it that no view holds (the movie panel's controller, the
    // export-errors sheet), kept as long as the document: set by the interface.
    const DocumentOutlets& outlets() const override { return outlets_; }
    void setOutlets(const DocumentOutlets& outlets) { outlets_ = outlets; }
    void keepInterfaceObject(const std::shared_ptr<core::Object>& object) { interfaceObjects_.push_back(object); }
    // Whether busy work is under way.
    bool isAtWork() const { return !busyWork_.empty(); }
    // For quitting: the busy work stops where it is: a frame or file under way is finished, nothing more
    // begins, and each piece of work then ends as usual. Snaps still being restored stay in the session.
    void stopBusyWork();

    // Commands.
    void snapImage(const std::shared_ptr<core::Object>& sender);
    void selectAll(const std::shared_ptr<core::Object>& sender);
    void deselectAll(const std::shared_ptr<core::Object>& sender);
    void removeSelection(const std::shared_ptr<core::Object>& sender);
    void removeAll(const std::shared_ptr<core::Object>& sender);
    void showGeneratorPopover(const std::shared_ptr<core::Object>& sender);
    void performSnapsGeneration(const std::shared_ptr<core::Object>& sender);
    // The export commands (document_export_commands.cpp): the format of an image export is the sender's tag.
    void exportAsImage(const std::shared_ptr<core::Object>& sender);
    void exportAllAsImage(const std::shared_ptr<core::Object>& sender);
    void exportAllAsGIF(const std::shared_ptr<core::Object>& sender);
    // The sharing commands, done by the document's sharing.
    void copySelectedItem(const std::shared_ptr<core::Object>& sender);
    void showShareMenu(const std::shared_ptr<core::Object>& sender);
    void closeExportErrorsAlert(const std::shared_ptr<core::Object>& sender);
    // The export button's menu of the export commands.
    void showExportMenu(const std::shared_ptr<core::Object>& sender);

    bool validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item) override;

    // SnapsManagerObserver.
    void snapsManagerDidAppendItems(const core::Notification& notification) override;
    void snapsManagerDidRemoveItems(const core::Notification& notification) override;
    void snapsManagerDidChangeSelection(const core::Notification& notification) override;

    // The snap button's pictures while snapping and while selecting.
    static gfx::ImageRef snapRedButtonImage();
    static gfx::ImageRef snapBlankButtonImage();

private:
    void updateSnapsField();
    void showCannotBeClosedAlert();
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
    // The export menu shown last, kept while it may still be chosen from.
    std::shared_ptr<ui::Menu> exportMenu_;
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
    // Made by read; the exports use the frames, the sharing both.
    std::unique_ptr<DocumentFrames> frames_;
    std::unique_ptr<DocumentExports> exports_;
    std::shared_ptr<DocumentSharing> sharing_;
};

}  // namespace vistrel
