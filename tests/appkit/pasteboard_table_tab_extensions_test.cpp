// Files and string lists on the pasteboard, table selection and reloading, tab view items and the segmented
// control's cell.
#include <gtest/gtest.h>

#include "appkit/pasteboard_extensions.h"
#include "appkit/segmented_control_extensions.h"
#include "appkit/tab_view_extensions.h"
#include "appkit/table_view_extensions.h"
#include "platform/core/property_list.h"
#include "platform/ui/view.h"

namespace {

TEST(PasteboardExtensions, FilesComeBackInOrderAndNoneFromAnEmptyPasteboard)
{
    auto board = ui::Pasteboard::general();
    board->clearContents();
    EXPECT_FALSE(kestrane::containsType(*board, ui::PasteboardType::filenames));
    EXPECT_TRUE(kestrane::pastedFilenames(*board).empty());
    EXPECT_TRUE(kestrane::pastedFileURLs(*board).empty());

    board->setString("just text");
    EXPECT_TRUE(kestrane::containsType(*board, ui::PasteboardType::string));
    EXPECT_TRUE(kestrane::pastedFileURLs(*board).empty());

    board->clearContents();
    const std::vector<core::Url> files{core::Url::fileURL("/tmp/b movie.mov"), core::Url::fileURL("/tmp/a.mp4")};
    board->setFileURLs(files);
    EXPECT_EQ(kestrane::pastedFilenames(*board), (std::vector<std::string>{"/tmp/b movie.mov", "/tmp/a.mp4"}));
    EXPECT_EQ(kestrane::pastedFileURLs(*board), files);
}

TEST(PasteboardExtensions, StringsForTypeWantsAListOfStrings)
{
    auto board = ui::Pasteboard::general();
    board->clearContents();
    const std::string type = "application/x-vistrel-names";
    EXPECT_EQ(kestrane::stringsForType(*board, type), std::nullopt);

    board->setData(*core::PropertyList::write(core::Array{"one", "two"}), type);
    EXPECT_EQ(kestrane::stringsForType(*board, type), (std::vector<std::string>{"one", "two"}));
    board->setData(*core::PropertyList::write(core::Array{"one", 2}), type);
    EXPECT_EQ(kestrane::stringsForType(*board, type), std::nullopt);
    board->setData(*core::PropertyList::write(core::Dictionary{{"one", "two"}}), type);
    EXPECT_EQ(kestrane::stringsForType(*board, type), std::nullopt);
    board->setData(core::dataFromString("not a property list"), type);
    EXPECT_EQ(kestrane::stringsForType(*board, type), std::nullopt);
}

struct Rows : ui::TableDataSource {
    long rows = 6;
    int asked = 0;
    long numberOfRowsInTableView(ui::TableView&) override { return rows; }
    std::any objectValueFor(ui::TableView&, const std::shared_ptr<ui::TableColumn>&, long row) override
    {
        ++asked;
        return std::to_string(row);
    }
};

TEST(TableViewExtensions, SelectsOnlyOrAlso)
{
    auto table = core::make<ui::TableView>(gfx::Rect{0, 0, 200, 200});
    auto rows = std::make_shared<Rows>();
    table->setAllowsMultipleSelection(true);
    table->addTableColumn(core::make<ui::TableColumn>("name"));
    table->setDataSource(rows);
    kestrane::selectOnlyRows(*table, core::IndexSet{0, 1});
    kestrane::selectOnlyRow(*table, 3);
    EXPECT_EQ(table->selectedRowIndexes(), std::vector<long>{3});
    kestrane::selectAlsoRow(*table, 1);
    EXPECT_EQ(table->selectedRowIndexes(), (std::vector<long>{1, 3}));
    kestrane::selectAlsoRows(*table, core::IndexSet{4, 5});
    EXPECT_EQ(table->selectedRowIndexes(), (std::vector<long>{1, 3, 4, 5}));
    kestrane::selectOnlyRows(*table, core::IndexSet{});
    EXPECT_TRUE(table->selectedRowIndexes().empty());
}

TEST(TableViewExtensions, ReloadingATableWithoutColumnsAsksNothing)
{
    auto table = core::make<ui::TableView>(gfx::Rect{0, 0, 200, 200});
    auto rows = std::make_shared<Rows>();
    table->setDataSource(rows);
    rows->asked = 0;
    kestrane::reloadDataForRowIndexes(*table, core::IndexSet{1, 2});
    kestrane::reloadDataForColumnsIndexes(*table, core::IndexSet{0});
    EXPECT_EQ(rows->asked, 0);
    EXPECT_EQ(table->numberOfRows(), 6);
}

TEST(TabViewExtensions, SelectedIndexAndReplacedViews)
{
    auto tabs = core::make<ui::TabView>(gfx::Rect{0, 0, 300, 200});
    EXPECT_EQ(kestrane::indexOfSelectedItem(*tabs), std::nullopt);
    auto first = core::make<ui::TabViewItem>("first");
    auto second = core::make<ui::TabViewItem>("second");
    tabs->addTabViewItem(first);
    tabs->addTabViewItem(second);
    tabs->selectTabViewItemAtIndex(1);
    EXPECT_EQ(kestrane::indexOfSelectedItem(*tabs), 1);

    // An item without a view takes the new one as it is.
    auto page = core::make<ui::View>(gfx::Rect{7, 8, 90, 60});
    page->setAutoresizingMask(ui::AutoresizingMask::minXMargin);
    kestrane::replaceViewOfItem(*tabs, 0, page);
    EXPECT_EQ(first->view(), page);
    EXPECT_EQ(page->frame(), (gfx::Rect{7, 8, 90, 60}));
    EXPECT_EQ(page->autoresizingMask(), ui::AutoresizingMask::minXMargin);

    // The selected item's view: the new one takes its place, frame and resizing.
    auto shown = core::make<ui::View>();
    second->setView(shown);
    shown->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
    auto replacement = core::make<ui::View>(gfx::Rect{1, 1, 5, 5});
    kestrane::replaceViewOfItem(*tabs, 1, replacement);
    EXPECT_EQ(second->view(), replacement);
    EXPECT_EQ(replacement->frame(), shown->frame());
    EXPECT_EQ(replacement->autoresizingMask(),
              ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
    EXPECT_EQ(replacement->superview(), tabs);
    EXPECT_EQ(shown->superview(), nullptr);

    kestrane::replaceViewOfItem(*tabs, 2, core::make<ui::View>());
    EXPECT_EQ(tabs->numberOfTabViewItems(), 2);
}

TEST(SegmentedControlExtensions, TheCellIsTheControl)
{
    auto control = core::make<ui::SegmentedControl>(gfx::Rect{0, 0, 100, 24});
    auto& cell = kestrane::segmentedCell(*control);
    cell.setTrackingMode(ui::SegmentSwitchTracking::selectAny);
    cell.setControlSize(ui::ControlSize::small);
    EXPECT_EQ(control->trackingMode(), ui::SegmentSwitchTracking::selectAny);
    EXPECT_EQ(control->controlSize(), ui::ControlSize::small);
}

}  // namespace
