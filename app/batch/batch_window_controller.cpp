#include "app/batch/batch_window_controller.h"

#include "app/batch/batch_movies_controller.h"
#include "app/batch/batch_tasks_controller.h"
#include "app/batch/batch_window_interface.h"
#include "foundation/bundle_info.h"
#include "foundation/index_set_extensions.h"
#include "foundation/shortcuts.h"
#include "moviekit/player.h"
#include "platform/core/main_thread.h"
#include "platform/ui/alert.h"

namespace vistrel {

namespace {

// The selection without the rows past the end of a list of `count` rows.
core::IndexSet withinList(const core::IndexSet& selection, std::size_t count)
{
    core::IndexSet kept = selection;
    kept.removeRange(core::IndexSet::Index(count), std::numeric_limits<core::IndexSet::Index>::max());
    kept.removeRange(std::numeric_limits<core::IndexSet::Index>::min(), 0);
    return kept;
}

}  // namespace

std::shared_ptr<BatchWindowController> BatchWindowController::create() { return core::make<BatchWindowController>(); }

BatchWindowController::BatchWindowController() : ui::WindowController(BatchWindowInterface)
{
    registerBatchWindowInterface();
}

BatchWindowController::BatchWindowController(std::shared_ptr<ui::Window> window)
    : ui::WindowController(std::move(window))
{
}

BatchWindowController::~BatchWindowController()
{
    stopFollowingClip();
    // Nothing can show, stop or resume the tasks any more: they start no further frame.
    manager_->cancelAllTasks();
}

void BatchWindowController::setOutlets(const BatchWindowOutlets& outlets)
{
    core::assertMainThread();
    outlets_ = outlets;
}

void BatchWindowController::setMovies(std::vector<orvalis::MovieRef> movies)
{
    core::assertMainThread();
    movies_ = std::move(movies);
    const core::IndexSet kept = withinList(moviesSelection_, movies_.size());
    if (kept != moviesSelection_) setMoviesSelection(kept);
    if (auto controller = outlets_.moviesController.lock()) controller->moviesDidChange();
    if (auto controller = outlets_.tasksController.lock()) controller->updateComponents();
}

void BatchWindowController::setMoviesSelection(const core::IndexSet& selection)
{
    core::assertMainThread();
    moviesSelection_ = withinList(selection, movies_.size());
    if (auto controller = outlets_.moviesController.lock()) controller->moviesSelectionDidChange();
    followPreviewedClip();
    if (auto controller = outlets_.tasksController.lock()) controller->updateComponents();
}

void BatchWindowController::followPreviewedClip()
{
    stopFollowingClip();
    const auto single = kestrane::singleIndex(moviesSelection_);
    if (!single || *single < 0 || std::size_t(*single) >= movies_.size()) return;
    auto player = movies_[std::size_t(*single)]->existingPlayer();
    if (!player) return;
    std::weak_ptr<BatchWindowController> weak = sharedAs<BatchWindowController>();
    clipObservation_ = player->addObserver("clipRange", [weak](const core::KeyValueChange&) {
        if (auto self = weak.lock())
            if (auto controller = self->outlets().tasksController.lock()) controller->updateComponents();
    });
    followedPlayer_ = player;
}

void BatchWindowController::stopFollowingClip()
{
    if (auto player = followedPlayer_.lock()) player->removeObserver(clipObservation_);
    followedPlayer_.reset();
    clipObservation_ = 0;
}

void BatchWindowController::keepInterfaceObject(const std::shared_ptr<core::Object>& object)
{
    core::assertMainThread();
    interfaceObjects_.push_back(object);
}

bool BatchWindowController::windowShouldClose(ui::Window&)
{
    core::assertMainThread();
    const int running = manager_->runningTasksCount();
    if (running == 0) return true;
    auto alert = core::make<ui::Alert>();
    alert->setMessageText(kestrane::local(*kestrane::MB.get(), "BatchWC.CloseProcessAlert.MessageText", running));
    alert->setInformativeText(kestrane::local(*kestrane::MB.get(), "BatchWC.CloseProcessAlert.InformativeText"));
    alert->addButton(kestrane::local(*kestrane::MB.get(), "BatchWC.CloseProcessAlert.FirstButton"));
    alert->addButton(kestrane::local(*kestrane::MB.get(), "BatchWC.CloseProcessAlert.SecondButton"));
    return alert->runModal() != ui::ModalResponses::alertFirstButton;
}

void BatchWindowController::windowWillClose(ui::Window&)
{
    core::assertMainThread();
    manager_->cancelAllTasks();
    manager_->removeFinishedTasks();
    setMovies({});
}

}  // namespace vistrel
