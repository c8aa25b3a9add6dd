#include "app/document/drop_view.h"

#include <algorithm>

#include "app/document/movie_content.h"
#include "app/document/movie_opening.h"
#include "foundation/delayed_execution.h"
#include "foundation/drawing_helpers.h"
#include "foundation/file_manager_extensions.h"
#include "foundation/shortcuts.h"
#include "foundation/url_extensions.h"
#include "platform/gfx/context.h"
#include "platform/ui/pasteboard.h"

namespace vistrel {

namespace {

// The border's inset, its march per step and the step's period.
constexpr double borderInset = 40;
constexpr double progressStep = 0.3;
constexpr double progressPeriod = 0.05;

// A file named as a movie, or one that reads as a movie: a file named so but that is none is taken too, so
// that the drop can tell the user why it does not open.
bool isMovieFile(const core::Url& url) { return kestrane::conformsToMovieUTI(url) || !whyNotAMovie(url); }

// A movie file, or a folder with a movie file somewhere below it (the walk stops at the first); the folder's
// files are first guessed by their names.
bool holdsMovie(core::FileManager& fm, const core::Url& url)
{
    if (!kestrane::contentExists(fm, url).isDir) return isMovieFile(url);
    const auto walk = kestrane::dirEnumerator(fm, url, core::DirectoryEnumerationOptions::skipsHiddenFiles);
    if (!walk) return false;
    while (const auto item = walk->next())
        if (!kestrane::contentExists(fm, *item).isDir && mayBeAMovie(*item) && isMovieFile(*item)) return true;
    return false;
}

}  // namespace

DropView::DropView(const gfx::Rect& frame) : View(frame) {}

void DropView::awake()
{
    View::awake();
    registerForDraggedTypes({ui::PasteboardType::filenames});
}

ui::DragOperation DropView::draggingEntered(const ui::DraggingInfo& info)
{
    const auto urls = info.fileURLs();
    auto& fm = *kestrane::FM.get();
    if (std::none_of(urls.begin(), urls.end(), [&](const core::Url& url) { return holdsMovie(fm, url); }))
        return ui::DragOperations::none;
    stopTimer();
    std::weak_ptr<DropView> weak = sharedAs<DropView>();
    progressTimer_ = kestrane::Timer::repeats(progressPeriod, [weak](core::Timer&) {
        if (auto view = weak.lock()) view->updateProgress();
    });
    return ui::DragOperations::copy;
}

void DropView::updateProgress()
{
    progress_ += progressStep;
    setNeedsDisplay();
}

void DropView::draggingExited(const ui::DraggingInfo*) { stopTimer(); }

void DropView::draggingEnded(const ui::DraggingInfo*) { stopTimer(); }

void DropView::stopTimer()
{
    if (progressTimer_) progressTimer_->invalidate();
    progressTimer_.reset();
}

bool DropView::performDragOperation(const ui::DraggingInfo& info)
{
    const auto types = info.types();
    if (std::find(types.begin(), types.end(), ui::PasteboardType::filenames) == types.end()) return false;
    openDocuments(*kestrane::DC.get(), info.fileURLs());
    return true;
}

void DropView::draw(const gfx::Rect&)
{
    gfx::Context* context = kestrane::CGContext::getCurrentGraphicsContext();
    if (!context) return;
    const gfx::Rect border = gfx::inset(bounds(), borderInset, borderInset);
    context->setLineWidth(1.0);
    context->setStrokeColor(gfx::Color::gray(0.0, 0.1));
    context->strokeRect(border);
    context->setLineDash(progress_ * 11, {26, 26});
    context->setStrokeColor(gfx::Color::gray(0.5, 1.0));
    context->strokeRect(border);
}

}  // namespace vistrel
