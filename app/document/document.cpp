#include "app/document/document.h"

#include <algorithm>

#include "app/document/defaults_keys.h"
#include "app/document/document_actions.h"
#include "app/document/flash_movie_view.h"
#include "app/document/generate_popover_controller.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "appkit/responder_extensions.h"
#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "moviekit/movie_view_controller.h"
#include "moviekit/player.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/free_memory.h"
#include "platform/core/keyed_archiver.h"
#include "platform/core/keyed_unarchiver.h"
#include "platform/core/main_thread.h"
#include "platform/core/print.h"
#include "platform/core/semaphore.h"
#include "platform/ui/alert.h"
#include "platform/ui/picture.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/text_field.h"
#include "platform/ui/window_controller.h"

namespace vistrel {

namespace {

gfx::ImageRef bundleImage(const char* name)
{
    auto picture = ui::Picture::fromBundle(*kestrane::MB.get(), name);
    if (!picture) core::fatalError(std::string("The image ") + name + " is missing from the program's bundle");
    return picture->cgImage();
}

// The notice over a movie that cannot be played, with the reason.
std::string unplayableNotice(const orvalis::Movie& movie)
{
    const std::string notice = kestrane::local(*kestrane::MB.get(), "Document.Unplayable");
    const std::string problem = movie.avasset()->problem();
    return problem.empty() ? notice : notice + " (" + problem + ")";
}

}  // namespace

Document::~Document()
{
    if (snapsManager_) snapsManager_->removeObserver(this);
}

void Document::awake()
{
    ui::Document::awake();
    registerCommand(actions::snapImage, &Document::snapImage);
    registerCommand(ui::actions::selectAll, &Document::selectAll);
    registerCommand(actions::deselectAll, &Document::deselectAll);
    registerCommand(actions::removeSelection, &Document::removeSelection);
    registerCommand(actions::removeAll, &Document::removeAll);
    registerCommand(actions::showGeneratorPopover, &Document::showGeneratorPopover);
    registerCommand(actions::performSnapsGeneration, &Document::performSnapsGeneration);
    registerCommand(actions::exportAsImage, &Document::exportAsImage);
    registerCommand(actions::exportAllAsImage, &Document::exportAllAsImage);
    registerCommand(actions::exportAllAsGIF, &Document::exportAllAsGIF);
    registerCommand(actions::copySelectedItem, &Document::copySelectedItem);
    registerCommand(actions::showShareMenu, &Document::showShareMenu);
    registerCommand(actions::closeExportErrorsAlert, &Document::closeExportErrorsAlert);
    registerCommand(actions::showExportMenu, &Document::showExportMenu);
}

gfx::ImageRef Document::snapRedButtonImage()
{
    static const gfx::ImageRef image = bundleImage("SnapButton-Red");
    return image;
}

gfx::ImageRef Document::snapBlankButtonImage()
{
    static const gfx::ImageRef image = bundleImage("SnapButton-Blank");
    return image;
}

// Life.

void Document::read(const core::Url& url, const std::string&)
{
    movie_ = orvalis::Movie::create(url);
    snapsManager_ = SnapsManager::create(movie_);
    frames_ = std::make_unique<DocumentFrames>(movie_, stopFlag_);
    exports_ = std::make_unique<DocumentExports>(sharedAs<Document>(), movie_, *frames_);
    sharing_ = core::make<DocumentSharing>(sharedAs<Document>(), snapsManager_, *frames_, *exports_);
}

void Document::windowControllerDidLoadNib(ui::WindowController& controller)
{
    kestrane::NC->post(DocumentDidLoadNotification, sharedAs<Document>());
    ui::Document::windowControllerDidLoadNib(controller);
    outlets_.snapsView.lock()->setDelegate(sharing_);
    outlets_.snapsView.lock()->setSnapsManager(snapsManager_);
    snapsManager_->addObserver(sharedAs<Document>());
    updateSnapsField();
    // Probing reads the file, which may block for good: never on the main thread. The queue's thread keeps
    // the movie, not the document, so that a document closed meanwhile goes.
    auto probed = std::make_shared<core::Semaphore>(0);
    std::weak_ptr<Document> weak = sharedAs<Document>();
    core::DispatchQueue::global(core::QoS::userInitiated)->async([movie = movie_, probed, weak] {
        (void)movie->playable();
        probed->signal();
        core::DispatchQueue::main()->async([weak] {
            if (auto document = weak.lock(); document && !document->movieOpen_ && !document->closed_)
                document->movieDidOpen();
        });
    });
    if (probed->wait(nextOpeningWait())) return movieDidOpen();
    countedOpening_ = true;
    ++stillOpening();
    outlets_.unplayableLabel.lock()->setHidden(true);
    outlets_.generatorButton.lock()->setEnabled(false);
    setState(DocumentState::opening);
}

int& Document::stillOpening()
{
    static int count = 0;
    return count;
}

void Document::leaveOpeningCount()
{
    if (countedOpening_) --stillOpening();
    countedOpening_ = false;
}

void Document::movieDidOpen()
{
    leaveOpeningCount();
    movieOpen_ = true;
    const auto controller = outlets_.movieViewController.lock();
    if (controller) controller->setMovie(movie_);
    if (const auto window = outlets_.mainWindow.lock(); window && controller)
        kestrane::insertNextResponder(*window, controller);
    const bool playable = movie_->playable();
    outlets_.unplayableLabel.lock()->setHidden(playable);
    if (auto notice = std::dynamic_pointer_cast<ui::TextField>(outlets_.unplayableLabel.lock()); notice && !playable)
        notice->setStringValue(unplayableNotice(*movie_));
    outlets_.snapButton.lock()->setHidden(!playable);
    outlets_.generatorButton.lock()->setEnabled(playable);
    if (state_ == DocumentState::opening) setState(stateBySelection());
    if (!restoring_.empty()) {
        beginBusyWork(DocumentState::restoring);
        fillMiniatures(restoring_, DocumentState::restoring);
    }
}

bool Document::isPlayable() const { return movieOpen_ && movie_ && movie_->playable(); }

void Document::close()
{
    auto self = sharedAs<Document>();  // closing may drop the last other reference
    leaveOpeningCount();
    closed_ = true;
    if (movie_)
        if (auto player = movie_->existingPlayer()) player->pause();
    if (generatorPopoverController_) generatorPopoverController_->closePopover();
    kestrane::NC->removeObserver(this);
    ui::Document::close();
    kestrane::NC->post(DocumentDidCloseNotification, self);
    // Once the document is gone (the reference above may be its last), what it held goes back.
    core::DispatchQueue::main()->async([] { core::giveFreeMemoryBack(); });
}

bool Document::windowShouldClose(ui::Window&)
{
    if (!isBusy(state_)) return true;
    showCannotBeClosedAlert();
    return false;
}

// Restoration.

void Document::encodeRestorableState(core::KeyedArchiver& archiver) const
{
    ui::Document::encodeRestorableState(archiver);
    SnapItems kept = snapsManager_ ? snapsManager_->items() : SnapItems{};
    kept.insert(kept.end(), restoring_.begin(), restoring_.end());
    archiver.encodeArray(RestorableSnapsKey, kept);
}

void Document::restoreState(core::KeyedUnarchiver& unarchiver)
{
    ui::Document::restoreState(unarchiver);
    const auto objects = unarchiver.decodeEach<SnapItem>(RestorableSnapsKey);
    if (!objects) {
        // Snaps kept under the key in something that is no list: they are lost.
        if (unarchiver.contains(RestorableSnapsKey)) countUnreadableRestoredItems(1);
        return;
    }
    // A snap that cannot be read back (or is no snap) is left out, and counted; the others come back.
    SnapItems items;
    for (const auto& item : *objects)
        if (item) items.push_back(item);
    countUnreadableRestoredItems(int(objects->size() - items.size()));
    if (items.empty()) return;
    restoring_.insert(restoring_.end(), items.begin(), items.end());
    // A movie still opening restores its snaps once it has opened; they are kept in the session meanwhile.
    if (!movieOpen_) return;
    beginBusyWork(DocumentState::restoring);
    fillMiniatures(items, DocumentState::restoring);
}

// Lazily made members.

std::shared_ptr<GeneratePopoverController> Document::generatorPopoverController()
{
    if (!generatorPopoverController_) {
        generatorPopoverController_ = GeneratePopoverController::create();
        generatorPopoverController_->setTarget(sharedAs<Document>());
        generatorPopoverController_->setAction(actions::performSnapsGeneration);
        generatorPopoverController_->setMovie(movie_);
    }
    return generatorPopoverController_;
}

void Document::closeGeneratorPopover() { generatorPopoverController()->closePopover(); }

// Taking snaps.

void Document::snapImage(const std::shared_ptr<core::Object>&)
{
    closeGeneratorPopover();
    if (!snapsManager_->isSelectionEmpty()) {
        snapsManager_->deselectAll();
        return;
    }
    if (const auto view = outlets_.movieView.lock()) view->flash();
    const orvalis::Edition edition = movie_->edition();
    // The time of the frame on screen: the snap is the picture the user sees, named after its own time. Steps
    // and seeks still under way (keys typed ahead of the pictures) land first, as the user sees them.
    const orvalis::PlayerRef player = movie_->player();
    std::weak_ptr<Document> weak = sharedAs<Document>();
    player->avplayer()->whenSettled([weak, edition, player = std::weak_ptr<orvalis::Player>(player)] {
        auto document = weak.lock();
        auto settled = player.lock();
        if (document && settled) document->fillMiniature(SnapItem::create(settled->currentFrameTime(), edition));
    });
}

void Document::fillMiniature(const std::shared_ptr<SnapItem>& item)
{
    std::weak_ptr<Document> weak = sharedAs<Document>();
    frames_->fillMiniature(item, [weak, item] {
        if (auto document = weak.lock()) document->snapsManager_->append({item});
    });
}

void Document::fillMiniatures(const SnapItems& items, DocumentState state)
{
    std::weak_ptr<Document> weak = sharedAs<Document>();
    const auto progress = [weak](double done) {
        if (auto document = weak.lock()) document->updateProgress(done);
    };
    const auto ready = [weak, state](const SnapItems& snaps, bool last) {
        const auto document = weak.lock();
        if (!document) return;
        if (state == DocumentState::restoring) document->takeRestored(snaps);
        if (!snaps.empty()) document->snapsManager_->append(snaps);
        if (last) document->endBusyWork(state);
    };
    frames_->fillMiniatures(items, state == DocumentState::restoring, {progress, ready});
}

void Document::takeRestored(const SnapItems& items)
{
    for (const auto& item : items) {
        const auto found = std::find(restoring_.begin(), restoring_.end(), item);
        if (found != restoring_.end()) restoring_.erase(found);
    }
}

void Document::stopBusyWork()
{
    core::assertMainThread();
    stopFlag_->store(true);
}

// Sharing.

void Document::copySelectedItem(const std::shared_ptr<core::Object>&) { sharing_->copySelectedItem(); }

void Document::showShareMenu(const std::shared_ptr<core::Object>&) { sharing_->showShareMenu(); }

// Generation.

void Document::showGeneratorPopover(const std::shared_ptr<core::Object>&)
{
    if (!isPlayable() || isBusy(state_)) return;
    generatorPopoverController()->togglePopoverAtTop(outlets_.generatorButton.lock());
}

void Document::performSnapsGeneration(const std::shared_ptr<core::Object>&)
{
    closeGeneratorPopover();
    const orvalis::Edition edition = movie_->edition();
    const orvalis::TimeSplitter splitter = generatorPopoverController()->splitter();
    SnapItems items;
    auto times = splitter.generateTimes();
    while (const auto time = times.next())
        items.push_back(SnapItem::create(*time, edition));
    beginBusyWork(DocumentState::generating);
    fillMiniatures(items, DocumentState::generating);
}

// Snaps-manager notifications.

void Document::snapsManagerDidAppendItems(const core::Notification&)
{
    invalidateRestorableState();
    closeGeneratorPopover();
    updateSnapsField();
}

void Document::snapsManagerDidRemoveItems(const core::Notification& notification)
{
    invalidateRestorableState();
    closeGeneratorPopover();
    updateSnapsField();
    snapsManagerDidChangeSelection(notification);
}

void Document::snapsManagerDidChangeSelection(const core::Notification&)
{
    closeGeneratorPopover();
    if (!isBusy(state_)) setState(stateBySelection());
    updateSnapsField();
    if (snapsManager_->isSelectionSingle()) {
        auto player = movie_->player();
        player->pause();
        player->seekAccurately(snapsManager_->firstSelectedItem()->time());
    }
}

}  // namespace vistrel
