// The drop window's target and the document's flashing movie view: which drags the drop view takes, the one
// timer that marches its border, the documents a drop opens; the white layer and the shutter sound of a flash,
// each as the user defaults say.
#include "tests/app/document_fixture.h"
#include "tests/app/file_drag.h"

#include <fstream>

#include "app/document/defaults_keys.h"
#include "app/document/drop_view.h"
#include "app/document/flash_movie_view.h"
#include "foundation/shortcuts.h"
#include "platform/ui/pasteboard.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace documenttest {
namespace {

using DropWindow = DocumentTest;

TEST_F(DropWindow, TakesDragsWithAMovieAndOpensWhatIsDropped)
{
    testsupport::TempDir folder("dropped");
    std::filesystem::create_directories(folder / "movies");
    makeMovie(folder.path() / "movies", "inside.mp4", 10);
    const auto text = core::Url::fileURL((folder / "notes.txt").string());
    const auto movie = core::Url::fileURL(clipMovie());
    const auto movies = core::Url::fileURL((folder / "movies").string());
    std::filesystem::create_directories(folder / "papers" / "deeper.mp4");
    std::ofstream(folder / "papers" / "notes.txt") << "no movie";
    const auto papers = core::Url::fileURL((folder / "papers").string());
    auto view = core::make<vistrel::DropView>(gfx::Rect{0, 0, 300, 200});

    // A folder is taken when it holds a movie, not for a folder named like one.
    EXPECT_EQ(view->draggingEntered(Drag({text})), ui::DragOperations::none);
    EXPECT_EQ(view->draggingEntered(Drag({papers})), ui::DragOperations::none);
    EXPECT_FALSE(view->progressTimer());
    EXPECT_EQ(view->draggingEntered(Drag({movies})), ui::DragOperations::copy);
    EXPECT_EQ(view->draggingEntered(Drag({text, movie})), ui::DragOperations::copy);
    auto first = view->progressTimer();
    ASSERT_TRUE(first && first->isValid());
    // Entering again replaces the timer; leaving stops it.
    EXPECT_EQ(view->draggingEntered(Drag({movie})), ui::DragOperations::copy);
    EXPECT_FALSE(first->isValid());
    ASSERT_TRUE(view->progressTimer()->isValid());
    const double before = view->progress();
    EXPECT_TRUE(testsupport::runUntil([&] { return view->progress() >= before + 0.6; }));
    auto second = view->progressTimer();
    view->draggingExited(nullptr);
    EXPECT_FALSE(second->isValid());
    EXPECT_FALSE(view->progressTimer());

    // What is dropped opens, folders walked: the movie, and the movie inside the folder.
    EXPECT_TRUE(view->performDragOperation(Drag({text, movie, movies})));
    EXPECT_EQ(kestrane::DC->documents().size(), 2u);
}

using FlashMovieView = DocumentTest;

TEST_F(FlashMovieView, FlashesWhiteOverThePictureThenFades)
{
    auto view = core::make<vistrel::FlashMovieView>(gfx::Rect{0, 0, 320, 180});
    kestrane::Defaults[vistrel::EnableFlashAnimationKey] = false;
    kestrane::Defaults[vistrel::EnableFlashSoundKey] = true;
    view->flash();
    EXPECT_TRUE(view->layer()->sublayers().empty() ||
                view->layer()->sublayers().back()->backgroundColor() != gfx::Color::white());
    EXPECT_TRUE(view->flashSound());
    EXPECT_DOUBLE_EQ(view->flashSound()->volume(), 0.15);

    // Absent counts as on, and a value that is no number too.
    kestrane::Defaults[vistrel::EnableFlashAnimationKey] = std::string("yes");
    view->flash();
    auto white = view->flashLayer();
    ASSERT_FALSE(view->layer()->sublayers().empty());
    EXPECT_EQ(view->layer()->sublayers().back(), white);
    EXPECT_DOUBLE_EQ(white->opacity(), 1.0);
    EXPECT_EQ(white->frame(), view->bounds());
    // It follows the view's size, and fades away a moment later.
    view->setFrameSize({400, 300});
    EXPECT_EQ(white->frame(), view->bounds());
    EXPECT_TRUE(testsupport::runUntil([&] { return white->presentation().opacity == 0.0; }));
    // The next flash puts it on top again, opaque at once.
    view->layer()->addSublayer(core::make<ui::Layer>());
    view->flash();
    EXPECT_EQ(view->layer()->sublayers().back(), white);
    EXPECT_DOUBLE_EQ(white->presentation().opacity, 1.0);
    kestrane::Defaults->remove(vistrel::EnableFlashAnimationKey);
    kestrane::Defaults->remove(vistrel::EnableFlashSoundKey);
}

}  // namespace
}  // namespace documenttest
