// The upper half of the batch window: the table of movies to process, filled by dropping files or folders on
// it or choosing them in an open panel, the removal of selected rows, the selection's labels and buttons, and
// a preview of the one selected movie. The list belongs to the window controller; this object adds to it,
// removes from it and reports the table's selection to it. Files load on a background queue with the busy
// indicator running: folders walked (sorted per folder), movie files kept, each movie probed in parallel; the
// results join the list on the main thread. A movie's player is made, muted and put at the movie's middle the
// first time the preview shows it, and let go when another movie is previewed (unless it holds a clip set by
// the user), so that a long list holds no player and no decoder. Main thread only, but the loading.
#pragma once

#include <memory>
#include <vector>

#include "appkit/layered_text_field.h"
#include "appkit/progress_indicator.h"
#include "moviekit/movie.h"
#include "moviekit/movie_view_controller.h"
#include "platform/core/url.h"
#include "platform/ui/button.h"
#include "platform/ui/table_view.h"
#include "platform/ui/text_field.h"

namespace vistrel {

class BatchWindowController;

// The views of the upper half of the batch window that its controller uses, and the window's controller; weak, for the
// window holds them.
struct BatchMoviesOutlets {
    std::weak_ptr<BatchWindowController> controller;
    std::weak_ptr<orvalis::MovieViewController> movieViewController;
    std::weak_ptr<kestrane::LayeredTextField> movieInfoField;
    std::weak_ptr<kestrane::ProgressIndicator> filesProgress;
    std::weak_ptr<ui::TableView> moviesTableView;
    std::weak_ptr<ui::TextField> selectionLabel;
    std::weak_ptr<ui::Button> showStartButton;
    std::weak_ptr<ui::Button> setStartButton;
    std::weak_ptr<ui::Button> showEndButton;
    std::weak_ptr<ui::Button> setEndButton;
};

class BatchMoviesController : public ui::Responder, public ui::TableDataSource, public ui::TableDelegate {
public:
    BatchMoviesController();
    // Registers the actions below.
    void awake() override;

    // The views and controllers the interface connects this to, set by it.
    const BatchMoviesOutlets& outlets() const { return outlets_; }
    void setOutlets(const BatchMoviesOutlets& outlets) { outlets_ = outlets; }

    // Once the interface is connected: the overlay text, the drop type, the empty selection.
    void awakeFromNib();

    // Load the files and folders in the background, then append the movies to the list, or insert them before
    // `row` (brought within the list as it is then).
    void addMovies(const std::vector<core::Url>& urls);
    void insertMovies(const std::vector<core::Url>& urls, long row);
    void moviesDidChange();
    void moviesSelectionDidChange();

    // The actions of the same names (batch_actions.h); Select All and Deselect All (the Edit menu's, reaching
    // this object along the window's responder chain) select every movie or none.
    void openMovieFiles(const std::shared_ptr<core::Object>& sender);
    void removeSelectedMovies(const std::shared_ptr<core::Object>& sender);
    void selectAll(const std::shared_ptr<core::Object>& sender);
    void deselectAll(const std::shared_ptr<core::Object>& sender);

    long numberOfRowsInTableView(ui::TableView& table) override;
    std::any objectValueFor(ui::TableView& table, const std::shared_ptr<ui::TableColumn>& column, long row) override;
    // Every cell of a movie that gives no frame says why.
    std::string toolTipFor(ui::TableView& table, const std::shared_ptr<ui::TableColumn>& column, long row) override;
    void willDisplayCell(ui::TableView& table, ui::TableCell& cell, const std::shared_ptr<ui::TableColumn>& column,
                         long row) override;
    ui::DragOperation validateDrop(ui::TableView& table, const ui::DraggingInfo& info, long proposedRow,
                                   ui::TableViewDropOperation operation) override;
    bool acceptDrop(ui::TableView& table, const ui::DraggingInfo& info, long row,
                    ui::TableViewDropOperation operation) override;
    void tableViewSelectionDidChange(ui::TableView& table) override;

private:
    void setupViews();
    // Any thread but the main one: the movies of the files and of the files below the folders, in order, each
    // already probed (duration, frame rate, size, playability), so that showing them reads nothing.
    static std::vector<orvalis::MovieRef> loadMovies(const std::vector<core::Url>& urls);

    // Loads on a background queue, then hands the movies to `place` on the main queue.
    void load(const std::vector<core::Url>& urls, std::function<void(std::vector<orvalis::MovieRef>)> place);
    orvalis::MovieRef movieAt(long row) const;
    // Why the movie gives no frame, in words; empty when it is playable.
    static std::string unplayableReason(orvalis::Movie& movie);

    // The movie the preview shows; it gives its player back when another takes its place.
    std::weak_ptr<orvalis::Movie> previewed_;
    std::shared_ptr<void> previewDecoders_;
    BatchMoviesOutlets outlets_;
};

}  // namespace vistrel
