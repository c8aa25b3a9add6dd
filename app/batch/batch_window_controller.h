// The batch window: the list of movies to process, which of them are selected, and the manager that runs
// their tasks. The window and its two halves, the movies table and the tasks controls, come from the
// interface "BatchWindow"; this controller is the window's delegate, refreshes both halves after every change
// of the list or of the selection, asks before closing while tasks run, and cancels and clears the batch when
// the window closes. The selection never names a row past the end of the list. Main thread only.
#pragma once

#include <memory>
#include <vector>

#include "app/batch/batch_manager.h"
#include "moviekit/movie.h"
#include "platform/core/index_set.h"
#include "platform/ui/window_controller.h"
#include "platform/ui/window_delegate.h"

namespace vistrel {

class BatchMoviesController;
class BatchTasksController;

// The controllers of the batch window's halves that its controller uses; weak, for it keeps them as interface
// objects.
struct BatchWindowOutlets {
    std::weak_ptr<BatchMoviesController> moviesController;
    std::weak_ptr<BatchTasksController> tasksController;
};

class BatchWindowController : public ui::WindowController, public ui::WindowDelegate {
public:
    static std::shared_ptr<BatchWindowController> create();
    // Loads its window from the interface "BatchWindow" on first use.
    BatchWindowController();
    explicit BatchWindowController(std::shared_ptr<ui::Window> window);
    ~BatchWindowController() override;

    // The controllers of the window's two halves, set by the interface.
    const BatchWindowOutlets& outlets() const { return outlets_; }
    void setOutlets(const BatchWindowOutlets& outlets);

    const std::vector<orvalis::MovieRef>& movies() const { return movies_; }
    // Drops the selected rows the new list no longer has, then reloads the movies table and updates the tasks
    // controls.
    void setMovies(std::vector<orvalis::MovieRef> movies);
    const core::IndexSet& moviesSelection() const { return moviesSelection_; }
    // Keeps only rows of the list, then refreshes the movie half and the tasks controls; while one movie is
    // previewed, the tasks controls follow its clip too.
    void setMoviesSelection(const core::IndexSet& selection);
    const std::shared_ptr<BatchManager>& manager() const { return manager_; }

    // For the interface: objects of the window that no view holds, kept as long as this controller.
    void keepInterfaceObject(const std::shared_ptr<core::Object>& object);

    bool windowShouldClose(ui::Window& window) override;
    void windowWillClose(ui::Window& window) override;

private:
    // The tasks controls follow the clip of the previewed movie's player, when there is one.
    void followPreviewedClip();
    void stopFollowingClip();

    BatchWindowOutlets outlets_;
    std::vector<orvalis::MovieRef> movies_;
    core::IndexSet moviesSelection_;
    std::shared_ptr<BatchManager> manager_ = BatchManager::create();
    std::vector<std::shared_ptr<core::Object>> interfaceObjects_;
    std::weak_ptr<orvalis::Player> followedPlayer_;
    core::ObservationId clipObservation_ = 0;
};

}  // namespace vistrel
