#include "app/batch/batch_movies_controller.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "app/batch/batch_actions.h"
#include "app/batch/batch_window_controller.h"
#include "app/document/document_actions.h"
#include "app/document/movie_content.h"
#include "app/document/movie_open_panel.h"
#include "appkit/table_view_extensions.h"
#include "appkit/text_attributes.h"
#include "foundation/array_extensions.h"
#include "foundation/bundle_info.h"
#include "foundation/file_manager_extensions.h"
#include "foundation/index_set_extensions.h"
#include "foundation/shortcuts.h"
#include "foundation/time_range_values.h"
#include "foundation/time_values.h"
#include "foundation/url_extensions.h"
#include "moviekit/player.h"
#include "numerics/real_number.h"
#include "numerics/size_geometry.h"
#include "platform/core/dispatch_group.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_thread.h"
#include "platform/media/movie_probe.h"
#include "platform/ui/save_panel.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/system_style.h"
#include "platform/ui/text_layer.h"
#include "platform/ui/window.h"

namespace vistrel {

namespace {

core::IndexSet indexSetOf(const std::vector<long>& rows)
{
    core::IndexSet set;
    for (long row : rows)
        set.insert(row);
    return set;
}

// A movie no longer previewed gives its player and decoders back, unless its player holds a clip the user
// set, which the movie's tasks cover.
void endPreview(orvalis::Movie& movie)
{
    const auto player = movie.existingPlayer();
    if (!player) return;
    const media::TimeRange clip = player->clipRange();
    const media::TimeRange whole = kestrane::TimeRangeStatics::withDuration(movie.duration());
    if (clip.start != whole.start || clip.duration != whole.duration) return;
    movie.releasePlayer();
}

// The first time a movie is previewed, its player is made, silent and at the movie's start, where a document
// window opens it too.
void prepareForPreview(orvalis::Movie& movie)
{
    if (movie.existingPlayer()) return;
    movie.player()->setUserVolume(0);
}

// Reads everything the table shows of each movie, several movies at a time, so that the main thread never
// waits for a file.
void probe(const std::vector<orvalis::MovieRef>& movies)
{
    const std::size_t workers = std::min<std::size_t>(movies.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::atomic<std::size_t> next = 0;
    core::DispatchGroup group;
    for (std::size_t w = 0; w < workers; ++w) {
        group.enter();
        core::DispatchQueue::global(core::QoS::userInteractive)->async([&] {
            for (std::size_t i = next++; i < movies.size(); i = next++) {
                const orvalis::Movie& movie = *movies[i];
                movie.playable();
                movie.duration();
                movie.frameRate();
                movie.resolution();
                // A listed movie keeps its facts, not the decoder that read them; its preview and its tasks
                // hold its decoders while they work.
                movie.avasset()->keepIdleDecodersOnlyWhileHeld();
            }
            group.leave();
        });
    }
    group.wait();
}

}  // namespace

BatchMoviesController::BatchMoviesController() = default;

void BatchMoviesController::awake()
{
    Responder::awake();
    registerCommand(actions::openMovieFiles, &BatchMoviesController::openMovieFiles);
    registerCommand(actions::removeSelectedMovies, &BatchMoviesController::removeSelectedMovies);
    registerCommand(ui::actions::selectAll, &BatchMoviesController::selectAll);
    registerCommand(actions::deselectAll, &BatchMoviesController::deselectAll);
}

void BatchMoviesController::awakeFromNib()
{
    core::assertMainThread();
    setupViews();
    moviesSelectionDidChange();
}

void BatchMoviesController::setupViews()
{
    const kestrane::NSTextAttributes attributes(std::nullopt, 18, gfx::Color::white(), gfx::TextAlignment::left);
    if (auto field = outlets_.movieInfoField.lock()) {
        field->setAlignmentMode(ui::AlignmentMode::center);
        field->setAttributes(attributes.dictionary());
    }
    if (auto table = outlets_.moviesTableView.lock()) table->registerForDraggedTypes({ui::PasteboardType::filenames});
}

// MARK: - The list

void BatchMoviesController::addMovies(const std::vector<core::Url>& urls)
{
    core::assertMainThread();
    load(urls, [weak = outlets_.controller](std::vector<orvalis::MovieRef> loaded) {
        auto owner = weak.lock();
        if (!owner) return;
        std::vector<orvalis::MovieRef> movies = owner->movies();
        movies.insert(movies.end(), loaded.begin(), loaded.end());
        owner->setMovies(std::move(movies));
    });
}

void BatchMoviesController::insertMovies(const std::vector<core::Url>& urls, long row)
{
    core::assertMainThread();
    load(urls, [weak = outlets_.controller, row](std::vector<orvalis::MovieRef> loaded) {
        auto owner = weak.lock();
        if (!owner) return;
        std::vector<orvalis::MovieRef> movies = owner->movies();
        // Rows may have gone while the files loaded.
        const auto at = movies.begin() + std::clamp<long>(row, 0, long(movies.size()));
        movies.insert(at, loaded.begin(), loaded.end());
        owner->setMovies(std::move(movies));
    });
}

void BatchMoviesController::load(const std::vector<core::Url>& urls,
                                 std::function<void(std::vector<orvalis::MovieRef>)> place)
{
    if (auto progress = outlets_.filesProgress.lock()) progress->startAnimation(nullptr);
    std::weak_ptr<BatchMoviesController> weak = sharedAs<BatchMoviesController>();
    core::DispatchQueue::global(core::QoS::userInteractive)->async([urls, weak, place = std::move(place)] {
        auto loaded = loadMovies(urls);
        core::DispatchQueue::main()->async([weak, place, loaded = std::move(loaded)]() mutable {
            auto self = weak.lock();
            if (!self) return;
            place(std::move(loaded));
            if (auto progress = self->outlets_.filesProgress.lock()) progress->stopAnimation(nullptr);
        });
    });
}

std::vector<orvalis::MovieRef> BatchMoviesController::loadMovies(const std::vector<core::Url>& urls)
{
    std::vector<orvalis::MovieRef> movies;
    auto fileManager = kestrane::FM.get();
    kestrane::enumerateFiles(*fileManager, urls, [&](const core::Url& url) {
        bool isFolder = false;
        if (fileManager->fileExists(url.path(), &isFolder) && isFolder) return;
        // A file named as a movie is listed, readable or not; another when it reads as one: any file named
        // among the URLs, those in folders when their names do not say they are something else.
        if (!kestrane::conformsToMovieUTI(url)) {
            const bool named = std::find(urls.begin(), urls.end(), url) != urls.end();
            if (!(named || mayBeAMovie(url)) || !media::probeMovie(url).isMovie()) return;
        }
        movies.push_back(orvalis::Movie::create(url));
    });
    probe(movies);
    return movies;
}

void BatchMoviesController::moviesDidChange()
{
    core::assertMainThread();
    if (auto table = outlets_.moviesTableView.lock()) table->reloadData();
}

void BatchMoviesController::moviesSelectionDidChange()
{
    core::assertMainThread();
    auto owner = outlets_.controller.lock();
    if (!owner) return;
    const core::IndexSet& selection = owner->moviesSelection();
    const long n = long(selection.count());
    const auto single = kestrane::singleIndex(selection);
    const orvalis::MovieRef movie = single ? movieAt(long(*single)) : nullptr;
    const bool playable = movie && movie->playable();
    if (movie) prepareForPreview(*movie);
    if (auto preview = outlets_.movieViewController.lock()) preview->setMovie(movie);
    const orvalis::MovieRef previous = previewed_.lock();
    if (previous && previous != movie) endPreview(*previous);
    if (previous != movie) previewDecoders_ = movie ? media::Asset::holdIdleDecoders(movie->avasset()) : nullptr;
    previewed_ = movie;

    if (auto field = outlets_.movieInfoField.lock()) {
        field->setString(kestrane::local(*kestrane::MB.get(), "BatchMC.MovieLabel", n));
        field->setHidden(playable);
    }
    if (auto label = outlets_.selectionLabel.lock())
        label->setStringValue(kestrane::local(*kestrane::MB.get(), "BatchMC.SelectionLabel", n));
    for (const auto& button :
         {outlets_.showStartButton, outlets_.setStartButton, outlets_.showEndButton, outlets_.setEndButton})
        if (auto b = button.lock()) b->setEnabled(playable);
}

orvalis::MovieRef BatchMoviesController::movieAt(long row) const
{
    auto owner = outlets_.controller.lock();
    if (!owner || row < 0 || row >= long(owner->movies().size())) return nullptr;
    return owner->movies()[std::size_t(row)];
}

// MARK: - Actions

void BatchMoviesController::openMovieFiles(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    auto owner = outlets_.controller.lock();
    if (!owner) return;
    auto panel = core::make<ui::OpenPanel>();
    panel->setCanChooseDirectories(true);
    panel->setCanChooseFiles(true);
    panel->setAllowsMultipleSelection(true);
    prepareMovieOpenPanel(*panel);
    std::weak_ptr<BatchMoviesController> weak = sharedAs<BatchMoviesController>();
    panel->beginSheetModal(owner->window(), [weak, panel](ui::ModalResponse response) {
        auto self = weak.lock();
        if (self && response == ui::ModalResponses::ok) self->addMovies(panel->urls());
    });
}

void BatchMoviesController::removeSelectedMovies(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    auto owner = outlets_.controller.lock();
    auto table = outlets_.moviesTableView.lock();
    if (!owner || !table) return;
    std::vector<orvalis::MovieRef> movies = owner->movies();
    kestrane::removeAt(movies, indexSetOf(table->selectedRowIndexes()));
    owner->setMovies(std::move(movies));
}

void BatchMoviesController::selectAll(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    auto table = outlets_.moviesTableView.lock();
    if (table) kestrane::selectOnlyRows(*table, core::IndexSet::inRange(0, table->numberOfRows()));
}

void BatchMoviesController::deselectAll(const std::shared_ptr<core::Object>& sender)
{
    core::assertMainThread();
    if (auto table = outlets_.moviesTableView.lock()) table->deselectAll(sender);
}

// MARK: - Table

long BatchMoviesController::numberOfRowsInTableView(ui::TableView&)
{
    auto owner = outlets_.controller.lock();
    return owner ? long(owner->movies().size()) : 0;
}

std::any BatchMoviesController::objectValueFor(ui::TableView&, const std::shared_ptr<ui::TableColumn>& column, long row)
{
    const orvalis::MovieRef movie = movieAt(row);
    if (!movie || !column) return {};
    const std::string& title = column->title();
    if (title == "Filename") return movie->filename();
    // A movie without a picture has no size or rate to show.
    if (title == "Resolution") return movie->playable() ? kestrane::roundIntDesc(movie->resolution()) : std::string();
    if (title == "FPS") {
        if (!movie->playable()) return std::string();
        return long(kestrane::roundInt(double(movie->frameRate())));
    }
    if (title == "Duration") {
        // A movie that gives no frame says why instead.
        if (!movie->playable()) return unplayableReason(*movie);
        const media::Time duration = movie->duration();
        if (!duration.isNumeric()) return std::string();
        return kestrane::hhmmssmsDesc(duration);
    }
    return {};
}

std::string BatchMoviesController::toolTipFor(ui::TableView&, const std::shared_ptr<ui::TableColumn>&, long row)
{
    const orvalis::MovieRef movie = movieAt(row);
    if (!movie || movie->playable()) return {};
    return movie->url().path() + "\n" + unplayableReason(*movie);
}

std::string BatchMoviesController::unplayableReason(orvalis::Movie& movie)
{
    if (movie.playable()) return {};
    const std::string what = kestrane::local(*kestrane::MB.get(), movie.avasset()->isReadable() ? "BatchMC.NoPicture"
                                                                                                : "BatchMC.Unreadable");
    const std::string problem = movie.avasset()->problem();
    return problem.empty() ? what : what + ": " + problem;
}

void BatchMoviesController::willDisplayCell(ui::TableView&, ui::TableCell& cell,
                                            const std::shared_ptr<ui::TableColumn>&, long row)
{
    const orvalis::MovieRef movie = movieAt(row);
    if (!cell.isTextCell || !movie) return;
    cell.textColor = movie->playable() ? ui::SystemColor::text() : gfx::Color::red();
}

ui::DragOperation BatchMoviesController::validateDrop(ui::TableView&, const ui::DraggingInfo&, long,
                                                      ui::TableViewDropOperation)
{
    return ui::DragOperations::copy;
}

bool BatchMoviesController::acceptDrop(ui::TableView&, const ui::DraggingInfo& info, long row,
                                       ui::TableViewDropOperation)
{
    core::assertMainThread();
    insertMovies(info.fileURLs(), row);
    return true;
}

void BatchMoviesController::tableViewSelectionDidChange(ui::TableView& table)
{
    core::assertMainThread();
    if (auto owner = outlets_.controller.lock()) owner->setMoviesSelection(indexSetOf(table.selectedRowIndexes()));
}

}  // namespace vistrel
