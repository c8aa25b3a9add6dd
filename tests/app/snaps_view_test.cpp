// The strip mirrors its manager: appended snaps slide in at the end of the row (which grows and scrolls to its
// end), removed ones slide out and the rest close the gap, and the cells show the manager's selection. The row
// keeps one cell per snap, at the snap's position, also while cells are still on their way.
#include <gtest/gtest.h>

#include "platform/ui/button.h"
#include "tests/app/snaps_strip_fixture.h"
#include "tests/platform/core/run_until.h"

namespace {

using snapstest::cellWidth;
using snapstest::Strip;
using Indexes = std::vector<std::int64_t>;

TEST(SnapsView, InstallsItselfInItsScrollViewAndWidensForEachSnap)
{
    Strip strip;
    EXPECT_EQ(strip.scrollView->documentView(), strip.view);
    EXPECT_EQ(strip.view->frame().width(), 1.0);
    EXPECT_EQ(strip.view->frame().height(), 132.0);

    // A snap that fits: the strip widens at once, and the cell waits above the row, then slides down.
    vistrel::SnapItems one = snapstest::snaps(1);
    one.push_back(snapstest::snapAt(1));  // no image: the width of a 16:9 picture
    one.push_back(snapstest::snapAt(2, snapstest::solidImage(100, 200, snapstest::red)));
    strip.manager->append(one);
    ASSERT_EQ(strip.view->cells().size(), 3u);
    EXPECT_DOUBLE_EQ(strip.cell(0)->frame().width(), cellWidth);
    EXPECT_NEAR(cellWidth, 209.78, 0.005);
    EXPECT_DOUBLE_EQ(strip.cell(1)->frame().width(), cellWidth);
    EXPECT_DOUBLE_EQ(strip.cell(2)->frame().width(), 100 * 0.5 + 32);
    EXPECT_EQ(strip.cell(1)->frame(), (gfx::Rect{cellWidth, 132, cellWidth, 132}));
    EXPECT_DOUBLE_EQ(strip.view->frame().width(), 2 * cellWidth + 82);
    EXPECT_EQ(strip.cell(2)->index(), 2);
    EXPECT_EQ(strip.cell(0)->image(), one[0]->image()) << "the cell shows the snap's own miniature";
    ASSERT_TRUE(strip.settle());
    EXPECT_EQ(strip.cell(2)->frame(), (gfx::Rect{2 * cellWidth, 0, 82, 132}));
}

TEST(SnapsView, AppendingPastTheVisibleWidthGrowsAndScrollsToTheEndOverTime)
{
    Strip strip(2);
    EXPECT_EQ(strip.scrollView->contentView()->bounds().origin.x, 0);
    strip.manager->append(snapstest::snaps(3));
    EXPECT_DOUBLE_EQ(strip.view->frame().width(), 2 * cellWidth) << "the growth animates";
    ASSERT_TRUE(strip.settle());
    const double width = 5 * cellWidth;
    EXPECT_DOUBLE_EQ(strip.view->frame().width(), width);
    EXPECT_NEAR(strip.scrollView->contentView()->bounds().origin.x, width - 600, 1e-9);
    EXPECT_EQ(strip.scrollView->documentVisibleRect().maxX(), width);
}

TEST(SnapsView, RemovedCellsLeaveTheRowAtOnceAndTheRestCloseTheGap)
{
    Strip strip(5);
    const auto kept = std::vector{strip.cell(0), strip.cell(3), strip.cell(4)};
    const auto gone = strip.cell(1);
    strip.manager->removeAt({1, 2});
    ASSERT_EQ(strip.view->cells(), kept);
    for (std::int64_t p = 0; p < 3; ++p)
        EXPECT_EQ(strip.cell(std::size_t(p))->index(), p);
    EXPECT_EQ(strip.view->subviews().size(), 5u) << "the removed cells are still sliding out";
    EXPECT_TRUE(testsupport::runUntil([&] { return gone->frame().minY() == -132; }));
    EXPECT_EQ(strip.cell(1)->frame().minX(), 3 * cellWidth) << "kept cells wait until the others are out";
    ASSERT_TRUE(strip.settle());
    EXPECT_EQ(strip.view->subviews().size(), 3u);
    EXPECT_FALSE(gone->superview());
    EXPECT_EQ(strip.cell(1)->frame().minX(), cellWidth);
    EXPECT_EQ(strip.cell(2)->frame().minX(), 2 * cellWidth);
    EXPECT_DOUBLE_EQ(strip.view->frame().width(), 3 * cellWidth);
}

TEST(SnapsView, CellsShowTheManagersSelectionTouchingOnlyThoseThatChange)
{
    Strip strip(4);
    strip.manager->setSelection({1, 2});
    EXPECT_EQ(strip.shownSelection(), (Indexes{1, 2}));
    EXPECT_FALSE(strip.cell(0)->removeButton()) << "a cell never selected has no button yet";
    ASSERT_TRUE(strip.cell(1)->removeButton());
    EXPECT_FALSE(strip.cell(1)->removeButton()->isHidden());
    strip.manager->setSelection({2, 3});
    EXPECT_EQ(strip.shownSelection(), (Indexes{2, 3}));
    EXPECT_TRUE(strip.cell(1)->removeButton()->isHidden());
    EXPECT_FALSE(strip.cell(0)->removeButton());
}

TEST(SnapsView, ANewManagerIsShownFromItsFirstSnap)
{
    Strip strip(3);
    auto other = vistrel::SnapsManager::create(strip.manager->movie());
    other->append(snapstest::snaps(2));
    other->setSelection({1});
    strip.view->setSnapsManager(other);
    ASSERT_EQ(strip.view->cells().size(), 2u);
    EXPECT_EQ(strip.shownSelection(), (Indexes{1}));
    strip.manager->append(snapstest::snaps(1));
    EXPECT_EQ(strip.view->cells().size(), 2u) << "the old manager is no longer followed";
    ASSERT_TRUE(strip.settle());
    EXPECT_EQ(strip.view->subviews().size(), 2u);
}

// Removing snaps while their cells slide out never lets a click or a release select a snap that is not there.
TEST(SnapsView, AReleaseDuringARemovalSelectsNothingOutsideTheList)
{
    Strip strip(5);
    strip.click(4);
    EXPECT_EQ(strip.selection(), (Indexes{4}));
    strip.key(51);  // Delete
    ASSERT_EQ(strip.manager->items().size(), 4u);
    // Within the half second of the slide, a press and a release on the strip beside the cells' content.
    const gfx::Point margin = strip.inWindow(*strip.cell(0), {4, 60});
    strip.send(ui::EventType::leftMouseDown, margin);
    strip.send(ui::EventType::leftMouseUp, margin);
    EXPECT_TRUE(strip.selection().empty());
    EXPECT_EQ(strip.manager->firstSelectedItem(), nullptr);
    // A click on the leaving cell selects nothing either.
    const auto leaving = strip.view->subviews().back();
    const gfx::Point onLeaving = strip.inWindow(*leaving, {leaving->bounds().midX(), leaving->bounds().midY()});
    strip.send(ui::EventType::leftMouseDown, onLeaving);
    strip.send(ui::EventType::leftMouseUp, onLeaving);
    EXPECT_TRUE(strip.selection().empty());
    ASSERT_TRUE(strip.settle());
}

TEST(SnapsView, ASnapAppendedDuringARemovalGetsItsOwnPosition)
{
    Strip strip(5);
    strip.manager->removeAt({1});
    const auto fresh = snapstest::snaps(1);
    strip.manager->append(fresh);
    ASSERT_EQ(strip.view->cells().size(), 5u);
    EXPECT_EQ(strip.cell(4)->index(), 4);
    ASSERT_TRUE(strip.settle());
    strip.click(4);
    EXPECT_EQ(strip.selection(), (Indexes{4}));
    EXPECT_EQ(strip.manager->firstSelectedItem(), fresh[0]);
    EXPECT_EQ(strip.cell(4)->frame().minX(), 4 * cellWidth);
}

TEST(SnapsView, AThousandSnapsShareTheirMiniaturesWithTheirCells)
{
    Strip strip;
    const auto items = snapstest::snaps(1000);
    strip.manager->append(items);
    ASSERT_TRUE(strip.settle());
    ASSERT_EQ(strip.view->cells().size(), 1000u);
    EXPECT_NEAR(strip.view->frame().width(), 1000 * cellWidth, 1e-6);
    for (std::size_t k = 0; k < 1000; k += 111)
        EXPECT_EQ(strip.cell(k)->image(), items[k]->image());
    // Scrolled into the middle, the strip shows the snaps there.
    strip.scrollView->contentView()->scrollToPoint({500 * cellWidth, 0});
    const auto shot = strip.window->snapshot();
    ASSERT_TRUE(shot);
    const gfx::Point middle = strip.middleOf(500);
    const gfx::Pixel seen = shot->pixel(int(middle.x), shot->height() - 1 - int(middle.y));
    EXPECT_EQ(seen, snapstest::blue) << "snap 500 is blue";
}

}  // namespace
