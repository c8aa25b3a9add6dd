// A movie opened as a document: snapping the frame shown, selecting, removing, and what the window and the
// commands show at each step.
#include "tests/app/document_fixture.h"

#include "app/document/generate_popover_controller.h"
#include "app/document/snap_cell.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "moviekit/player.h"
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
    EXPECT_TRUE(document->unplayableLabel->isHidden());
    EXPECT_FALSE(document->snapButton->isHidden());
    EXPECT_EQ(document->snapsField->stringValue(), "0 snaps");
    EXPECT_TRUE(enables(*document, "snapImage:"));
    for (const char* action : {"selectAll:", "deselectAll:", "removeSelection:", "removeAll:", "copySelectedItem:",
                               "exportAsImage:", "exportAllAsImage:", "exportAllAsGIF:"})
        EXPECT_FALSE(enables(*document, action)) << action;

    ASSERT_TRUE(showFrame(*document, 23));
    ASSERT_TRUE(document->tryToPerform("snapImage:", nullptr));
    ASSERT_TRUE(waitForSnaps(*document, 1));
    auto snap = document->snapsManager()->items()[0];
    EXPECT_EQ(snap->time(), frameTime(23));
    EXPECT_EQ(frameOf(snap->image()), 23);
    ASSERT_EQ(document->snapsView->cells().size(), 1u);
    EXPECT_EQ(document->snapsView->cells()[0]->image(), snap->image());
    EXPECT_EQ(document->snapsField->stringValue(), "1 snaps");
    EXPECT_TRUE(enables(*document, "selectAll:"));
    EXPECT_TRUE(enables(*document, "removeAll:"));
    EXPECT_FALSE(enables(*document, "copySelectedItem:"));

    ASSERT_TRUE(showFrame(*document, 41));
    document->snapImage(nullptr);
    ASSERT_TRUE(waitForSnaps(*document, 2));
    EXPECT_EQ(frameOf(document->snapsManager()->items()[1]->image()), 41);

    // Selecting one snap pauses the player on its time and shows the selecting state.
    document->snapsManager()->setSelection(core::IndexSet{0});
    EXPECT_EQ(document->state(), vistrel::DocumentState::selecting);
    EXPECT_FALSE(document->exportButton->isHidden());
    EXPECT_FALSE(document->shareButton->isHidden());
    EXPECT_EQ(document->snapButton->image(), vistrel::Document::snapBlankButtonImage());
    EXPECT_EQ(document->snapsField->stringValue(), "1 of 2 snaps");
    EXPECT_TRUE(enables(*document, "copySelectedItem:"));
    EXPECT_TRUE(enables(*document, "removeSelection:"));
    auto player = document->movie()->player();
    EXPECT_TRUE(testsupport::runUntil([&] { return player->currentTime() == frameTime(23); }, 10));

    // The snap command with a selection only clears it.
    document->snapImage(nullptr);
    EXPECT_TRUE(document->snapsManager()->isSelectionEmpty());
    EXPECT_EQ(document->state(), vistrel::DocumentState::snapping);
    EXPECT_TRUE(document->exportButton->isHidden());
    EXPECT_EQ(document->snapButton->image(), vistrel::Document::snapRedButtonImage());
    core::MainLoop::processEvents(0.05);
    EXPECT_EQ(document->snapsManager()->items().size(), 2u);

    // Select all, then remove the selection: nothing left, snapping again.
    ASSERT_TRUE(document->tryToPerform("selectAll:", nullptr));
    EXPECT_FALSE(enables(*document, "selectAll:"));
    EXPECT_EQ(document->snapsField->stringValue(), "2 of 2 snaps");
    ASSERT_TRUE(document->tryToPerform("removeSelection:", nullptr));
    EXPECT_TRUE(document->snapsManager()->items().empty());
    EXPECT_EQ(document->state(), vistrel::DocumentState::snapping);
    EXPECT_EQ(document->snapsField->stringValue(), "0 snaps");
    EXPECT_FALSE(enables(*document, "removeAll:"));
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
    EXPECT_EQ(document->miniatureThumbnailSize().width, vistrel::Document::miniatureSide);
}

TEST_F(DocumentSnapping, AMovieThatCannotPlayOpensWithEveryCommandOff)
{
    testsupport::TempDir folder("broken");
    const auto path = folder / "broken.mp4";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("not a movie at all", file);
    std::fclose(file);
    auto document = open(path.string());
    ASSERT_TRUE(document);
    EXPECT_FALSE(document->unplayableLabel->isHidden());
    EXPECT_TRUE(document->snapButton->isHidden());
    for (const char* action : {"snapImage:", "selectAll:", "removeAll:", "copySelectedItem:"})
        EXPECT_FALSE(enables(*document, action)) << action;
    // The generator does not open either.
    document->showGeneratorPopover(nullptr);
    EXPECT_FALSE(document->generatorPopoverController()->popoverIsShown());
}

}  // namespace
}  // namespace documenttest
