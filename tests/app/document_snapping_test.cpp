// A movie opened as a document: snapping the frame shown, selecting, removing, and what the window and the
// commands show at each step.
#include "tests/app/document_fixture.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "app/document/document_actions.h"
#include "app/document/generate_popover_controller.h"
#include "app/document/movie_opening.h"
#include "app/document/snap_cell.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "appkit/event_extensions.h"
#include "foundation/shortcuts.h"
#include "foundation/time_values.h"
#include "moviekit/movie_view_controller.h"
#include "moviekit/player.h"
#include "platform/ui/animation_engine.h"
#include "platform/ui/detail/qt_menu.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/text_field.h"
#include "platform/ui/window_controller.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"

namespace documenttest {
namespace {

using DocumentSnapping = DocumentTest;

TEST_F(DocumentSnapping, SnapsTheFrameShownAndFollowsTheSelection)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    auto window = document->windowControllers().front()->window();
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_EQ(window->title(), "clip.mp4");
    EXPECT_EQ(document->state(), vistrel::DocumentState::snapping);
    EXPECT_TRUE(document->outlets().unplayableLabel.lock()->isHidden());
    EXPECT_FALSE(document->outlets().snapButton.lock()->isHidden());
    EXPECT_EQ(document->outlets().snapsField.lock()->stringValue(), "0 snaps");
    EXPECT_TRUE(enables(*document, vistrel::actions::snapImage));
    for (const ui::ActionName action :
         {ui::actions::selectAll, vistrel::actions::deselectAll, vistrel::actions::removeSelection,
          vistrel::actions::removeAll, vistrel::actions::copySelectedItem, vistrel::actions::exportAsImage,
          vistrel::actions::exportAllAsImage, vistrel::actions::exportAllAsGIF})
        EXPECT_FALSE(enables(*document, action)) << action.text;

    ASSERT_TRUE(showFrame(*document, 23));
    ASSERT_TRUE(document->tryToPerform(vistrel::actions::snapImage, nullptr));
    ASSERT_TRUE(waitForSnaps(*document, 1));
    auto snap = document->snapsManager()->items()[0];
    EXPECT_EQ(snap->time(), frameTime(23));
    EXPECT_EQ(frameOf(snap->image()), 23);
    ASSERT_EQ(document->outlets().snapsView.lock()->cells().size(), 1u);
    EXPECT_EQ(document->outlets().snapsView.lock()->cells()[0]->image(), snap->image());
    EXPECT_EQ(document->outlets().snapsField.lock()->stringValue(), "1 snap");
    EXPECT_TRUE(enables(*document, ui::actions::selectAll));
    EXPECT_TRUE(enables(*document, vistrel::actions::removeAll));
    EXPECT_FALSE(enables(*document, vistrel::actions::copySelectedItem));

    ASSERT_TRUE(showFrame(*document, 41));
    document->snapImage(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 2));
    EXPECT_EQ(frameOf(document->snapsManager()->items()[1]->image()), 41);

    // Selecting one snap pauses the player on its time and shows the selecting state.
    document->snapsManager()->setSelection(core::IndexSet{0});
    EXPECT_EQ(document->state(), vistrel::DocumentState::selecting);
    EXPECT_FALSE(document->outlets().exportButton.lock()->isHidden());
    EXPECT_FALSE(document->outlets().shareButton.lock()->isHidden());
    EXPECT_EQ(document->outlets().snapButton.lock()->image(), vistrel::Document::snapBlankButtonImage());
    EXPECT_EQ(document->outlets().snapsField.lock()->stringValue(), "1 of 2 snaps");
    EXPECT_TRUE(enables(*document, vistrel::actions::copySelectedItem));
    EXPECT_TRUE(enables(*document, vistrel::actions::removeSelection));
    auto player = document->movie()->player();
    EXPECT_TRUE(testsupport::runUntil([&] { return player->currentTime() == frameTime(23); }));

    // The snap command with a selection only clears it.
    document->snapImage(nullptr);
    EXPECT_TRUE(document->snapsManager()->isSelectionEmpty());
    EXPECT_EQ(document->state(), vistrel::DocumentState::snapping);
    EXPECT_TRUE(document->outlets().exportButton.lock()->isHidden());
    EXPECT_EQ(document->outlets().snapButton.lock()->image(), vistrel::Document::snapRedButtonImage());
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(document->snapsManager()->items().size(), 2u);

    // Select all, then remove the selection: nothing left, snapping again.
    ASSERT_TRUE(document->tryToPerform(ui::actions::selectAll, nullptr));
    EXPECT_FALSE(enables(*document, ui::actions::selectAll));
    EXPECT_EQ(document->outlets().snapsField.lock()->stringValue(), "2 of 2 snaps");
    ASSERT_TRUE(document->tryToPerform(vistrel::actions::removeSelection, nullptr));
    EXPECT_TRUE(document->snapsManager()->items().empty());
    EXPECT_EQ(document->state(), vistrel::DocumentState::snapping);
    EXPECT_EQ(document->outlets().snapsField.lock()->stringValue(), "0 snaps");
    EXPECT_FALSE(enables(*document, vistrel::actions::removeAll));
}

TEST_F(DocumentSnapping, SnapsTypedAheadOfThePicturesAreTheFramesTheKeysLeadTo)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    ASSERT_TRUE(showFrame(*document, 10));
    // Right, Right, Return, Right, Return, as fast as keys come: no picture has landed when the snaps are asked.
    auto player = document->movie()->player();
    player->step(1);
    player->step(1);
    document->snapImage(nullptr);
    player->step(1);
    document->snapImage(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 2));
    const auto snaps = document->snapsManager()->items();
    EXPECT_EQ(snaps[0]->time(), frameTime(12));
    EXPECT_EQ(frameOf(snaps[0]->image()), 12);
    EXPECT_EQ(snaps[1]->time(), frameTime(13));
    EXPECT_EQ(frameOf(snaps[1]->image()), 13);
}

// Goes to the end as the command does and lets the player settle there.
void goToEnd(vistrel::Document& document)
{
    auto player = document.movie()->player();
    player->pause();
    player->seekToEnd();
    EXPECT_TRUE(settledOnAFrame(*player));
}

// A snap taken at the end: named after the frame on screen, its picture that frame, and the clock reading the same.
void expectSnapAtEndIsTheFrameShown(vistrel::Document& document, std::size_t count)
{
    goToEnd(document);
    auto player = document.movie()->player();
    const media::Time shown = player->currentFrameTime();
    const int shownIndex = frameOf(player->avplayer()->currentVideoFrame());
    ASSERT_GE(shownIndex, 0);
    EXPECT_EQ(shown, frameTime(shownIndex));
    // The clock hears of the landing through the main queue.
    const auto clock = document.outlets().movieViewController.lock()->timeField();
    EXPECT_TRUE(testsupport::runUntil([&] { return clock->stringValue() == kestrane::hhmmssmsDesc(shown); }))
        << clock->stringValue();
    document.snapImage(nullptr);
    ASSERT_TRUE(waitForSnaps(document, count));
    const auto snap = document.snapsManager()->items().back();
    EXPECT_EQ(snap->time(), shown);
    EXPECT_EQ(frameOf(snap->image()), shownIndex);
}

TEST_F(DocumentSnapping, ASnapAndTheClockAtTheEndNameTheFrameOnScreen)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    expectSnapAtEndIsTheFrameShown(*document, 1);
    EXPECT_EQ(document->snapsManager()->items().back()->time(), frameTime(59)) << "the last frame, not the duration";
    EXPECT_EQ(document->exports().snapFileName(*document->snapsManager()->items().back()), "clip-00-00-05-900.png");

    // Between two frames the clock and a snap name the frame that holds the time.
    auto player = document->movie()->player();
    player->seekAccurately(media::Time::make(2345, 1000));
    ASSERT_TRUE(testsupport::runUntil([&] { return player->currentFrameTime() == frameTime(23); }));
    EXPECT_TRUE(testsupport::runUntil(
        [&] { return document->outlets().movieViewController.lock()->timeField()->stringValue() == "00:00:02:300"; }));
    document->snapImage(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 2));
    EXPECT_EQ(document->snapsManager()->items().back()->time(), frameTime(23));
}

TEST_F(DocumentSnapping, ASnapAtTheEndOfACutShortMovieIsTheFrameOnScreen)
{
    testsupport::TempDir folder("cut");
    const std::string whole = makeMovie(folder.path(), "whole.mkv", 60);
    const std::string cut = (folder / "cut.mkv").string();
    std::filesystem::copy_file(whole, cut);
    std::filesystem::resize_file(cut, std::filesystem::file_size(whole) / 2);  // as `head -c` leaves it
    auto document = open(cut);
    ASSERT_TRUE(document);
    expectSnapAtEndIsTheFrameShown(*document, 1);
}

// The item of the strip's context menu with that text, looked for in its submenus too.
std::shared_ptr<ui::MenuItem> itemTitled(const ui::Menu& menu, const std::string& title)
{
    for (const auto& item : menu.items()) {
        if (item->title() == title) return item;
        if (const auto sub = item->submenu())
            if (auto found = itemTitled(*sub, title)) return found;
    }
    return nullptr;
}

TEST_F(DocumentSnapping, TheStripsContextMenuActsOnTheSnapRightClicked)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    for (int k : {5, 17, 33}) {
        ASSERT_TRUE(showFrame(*document, k));
        document->snapImage(nullptr);
    }
    ASSERT_TRUE(waitForSnaps(*document, 3));
    auto strip = document->outlets().snapsView.lock();
    // The new cells' animations have ended: no view of the strip moves any more.
    const auto moving = [](const ui::View& view) {
        const auto& engine = ui::AnimationEngine::shared();
        return engine.isAnimating(&view, "frame") || engine.isAnimating(&view, "boundsOrigin") ||
               engine.isAnimating(&view, "alphaValue");
    };
    ASSERT_TRUE(testsupport::runUntil([&] {
        if (moving(*strip) || (strip->superview() && moving(*strip->superview()))) return false;
        return std::none_of(strip->cells().begin(), strip->cells().end(),
                            [&](const auto& cell) { return moving(*cell); });
    }));
    auto menu = strip->menu();
    ASSERT_TRUE(menu);
    auto window = strip->window();
    const auto rightClick = [&](const gfx::Point& inStrip) {
        const auto down = kestrane::rightMouseDown(strip->convertPointTo(inStrip, nullptr), window);
        ASSERT_TRUE(down);
        window->sendEvent(*down);
    };

    const auto& cell = strip->cells()[1];
    rightClick(strip->convertPoint(gfx::Point{cell->contentRect().midX(), cell->contentRect().midY()}, cell.get()));
    EXPECT_TRUE(menu->impl().menu->isVisible());
    EXPECT_EQ(document->snapsManager()->selection(), core::IndexSet{1});
    for (const char* title : {"Copy", "As PNG…", "Export All Snaps as GIF…", "Remove Selected Snaps"}) {
        const auto item = itemTitled(*menu, title);
        ASSERT_TRUE(item) << title;
        if (const auto owner = item->menu()) owner->update();
        EXPECT_TRUE(item->isEnabled()) << title;
    }
    itemTitled(*menu, "Remove Selected Snaps")->impl().action->trigger();
    ASSERT_EQ(document->snapsManager()->items().size(), 2u);
    EXPECT_EQ(frameOf(document->snapsManager()->items()[1]->image()), 33);
    menu->impl().menu->hide();

    // Beside the snaps: the selection goes, and with it the commands on it.
    document->snapsManager()->setSelection(core::IndexSet{0});
    rightClick({strip->bounds().maxX() - 4, strip->bounds().midY()});
    EXPECT_TRUE(menu->impl().menu->isVisible());
    EXPECT_TRUE(document->snapsManager()->isSelectionEmpty());
    EXPECT_FALSE(itemTitled(*menu, "Remove Selected Snaps")->isEnabled());
    itemTitled(*menu, "Select All")->impl().action->trigger();
    EXPECT_EQ(document->snapsManager()->selection(), (core::IndexSet{0, 1}));
    menu->impl().menu->hide();
}

TEST_F(DocumentSnapping, EachSnapKeepsTheEditionOfItsMomentWithinTheMiniatureSquare)
{
    auto document = open(clipMovie());
    ASSERT_TRUE(document);
    ASSERT_TRUE(showFrame(*document, 12));
    document->snapImage(nullptr);
    document->movie()->changeEdition([](orvalis::Edition& edition) { edition.rotateRight(); });
    document->snapImage(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 2));
    const auto& items = document->snapsManager()->items();
    EXPECT_TRUE(items[0]->edition().isIdentity());
    EXPECT_EQ(items[0]->image()->width(), 160);
    EXPECT_EQ(items[0]->image()->height(), 120);
    EXPECT_EQ(items[1]->edition().orientation, kestrane::Orientation::right);
    EXPECT_EQ(items[1]->image()->width(), 120);
    EXPECT_EQ(items[1]->image()->height(), 160);
    EXPECT_EQ(frameOf(orvalis::Edition(kestrane::Orientation::left, false, false).apply(items[1]->image())), 12);
    EXPECT_EQ(document->frames().miniatureThumbnailSize().width, vistrel::DocumentFrames::miniatureSide);
}

TEST_F(DocumentSnapping, AMovieThatCannotPlayOpensWithEveryCommandOff)
{
    // A movie whose pictures are gone: its index and its video track are whole, every frame's bytes are zero.
    testsupport::TempDir folder("broken");
    const std::string path = makeMovie(folder.path(), "broken.mp4", 10);
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::size_t box = bytes.find("mdat");
    ASSERT_NE(box, std::string::npos);
    std::size_t size = 0;
    for (std::size_t i = box - 4; i < box; ++i)
        size = size << 8 | static_cast<unsigned char>(bytes[i]);
    ASSERT_GT(size, 8u);
    file.seekp(std::streamoff(box + 4));
    file << std::string(size - 8, '\0');
    file.close();
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_FALSE(document->outlets().unplayableLabel.lock()->isHidden());
    // The notice says why.
    auto notice = std::dynamic_pointer_cast<ui::TextField>(document->outlets().unplayableLabel.lock());
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->stringValue(), "This movie cannot be played. (its video cannot be decoded)");
    EXPECT_TRUE(document->outlets().snapButton.lock()->isHidden());
    for (const ui::ActionName action :
         {vistrel::actions::snapImage, ui::actions::selectAll, vistrel::actions::removeAll,
          vistrel::actions::copySelectedItem, vistrel::actions::showGeneratorPopover})
        EXPECT_FALSE(enables(*document, action)) << action.text;
    // The generator does not open either, and its button is off.
    EXPECT_FALSE(document->outlets().generatorButton.lock()->isEnabled());
    document->showGeneratorPopover(nullptr);
    EXPECT_FALSE(document->generatorPopoverController()->popoverIsShown());
}

TEST_F(DocumentSnapping, AMovieWhoseFileDoesNotAnswerOpensInTheOpeningStateAndCanBeClosed)
{
    // A FIFO no one writes to: opening it blocks, as a hung network mount does.
    testsupport::TempDir folder("fifo");
    const auto path = folder / "hung.mp4";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(vistrel::Document::nextOpeningWait(), vistrel::Document::openingWaitSeconds);
    vistrel::openDocument(*kestrane::DC.get(), core::Url::fileURL(path.string()));
    ASSERT_EQ(kestrane::DC->documents().size(), 1u);
    // While it opens, another movie is waited for only briefly: a launch is held up once, not for each.
    EXPECT_EQ(vistrel::Document::nextOpeningWait(), vistrel::Document::briefOpeningWaitSeconds);
    auto document = std::dynamic_pointer_cast<vistrel::Document>(kestrane::DC->documents().front());
    ASSERT_TRUE(document);
    auto window = document->windowControllers().front()->window();
    EXPECT_TRUE(window && window->isVisible());
    EXPECT_FALSE(document->isMovieOpen());
    EXPECT_EQ(document->state(), vistrel::DocumentState::opening);
    EXPECT_FALSE(document->outlets().progressLabel.lock()->isHidden());
    EXPECT_EQ(document->outlets().progressLabel.lock()->stringValue(), "Opening");
    EXPECT_TRUE(document->outlets().snapButton.lock()->isHidden());
    EXPECT_TRUE(document->outlets().unplayableLabel.lock()->isHidden());
    EXPECT_FALSE(document->outlets().generatorButton.lock()->isEnabled());
    for (const ui::ActionName action :
         {vistrel::actions::snapImage, vistrel::actions::showGeneratorPopover, vistrel::actions::removeAll})
        EXPECT_FALSE(enables(*document, action)) << action.text;
    EXPECT_EQ(vistrel::processingDocumentsCount(*kestrane::DC.get()), 0);

    // It closes; the file answering later (here: a writer that gives up at once) changes nothing.
    EXPECT_TRUE(document->windowShouldClose(*window));
    window->performClose(nullptr);
    EXPECT_TRUE(kestrane::DC->documents().empty());
    EXPECT_EQ(vistrel::Document::nextOpeningWait(), vistrel::Document::openingWaitSeconds);
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    testsupport::runQueued();
    EXPECT_FALSE(document->isMovieOpen());
}

}  // namespace
}  // namespace documenttest
