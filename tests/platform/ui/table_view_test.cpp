// Tables show what their data source gives, coloured by their delegate, and report selection changes.
#include <QApplication>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QMimeData>
#include <QTableView>
#include <QUrl>

#include <gtest/gtest.h>

#include "platform/ui/detail/qt_control.h"
#include "platform/ui/standard_actions.h"
#include "platform/ui/table_view.h"
#include "platform/ui/window.h"

namespace {

struct Movies : ui::TableDataSource, ui::TableDelegate {
    std::vector<std::pair<std::string, bool>> rows{{"First", true}, {"Broken", false}, {"Third", true}};
    int selectionChanges = 0;

    long numberOfRowsInTableView(ui::TableView&) override { return long(rows.size()); }
    std::any objectValueFor(ui::TableView&, const std::shared_ptr<ui::TableColumn>& column, long row) override
    {
        if (!column || row >= long(rows.size())) return {};
        if (column->title() == "Filename") return rows[std::size_t(row)].first;
        if (column->title() == "FPS") return 25L;
        return {};
    }
    void willDisplayCell(ui::TableView&, ui::TableCell& cell, const std::shared_ptr<ui::TableColumn>&,
                         long row) override
    {
        if (cell.isTextCell) cell.textColor = rows[std::size_t(row)].second ? gfx::Color::black() : gfx::Color::red();
    }
    void tableViewSelectionDidChange(ui::TableView&) override { ++selectionChanges; }
};

TEST(TableView, ShowsTheDataSourcesCellsInTheDelegatesColours)
{
    auto table = core::make<ui::TableView>(gfx::Rect{0, 0, 300, 200});
    auto movies = std::make_shared<Movies>();
    table->addTableColumn(core::make<ui::TableColumn>("Filename"));
    table->addTableColumn(core::make<ui::TableColumn>("FPS"));
    table->setDataSource(movies);
    table->setDelegate(movies);
    EXPECT_EQ(table->numberOfRows(), 3);
    EXPECT_EQ(table->numberOfColumns(), 2);
    EXPECT_EQ(table->tableColumnWithIdentifier("FPS")->title(), "FPS");

    auto* model = qobject_cast<QTableView*>(ui::controlWidget(*table))->model();
    EXPECT_EQ(model->data(model->index(1, 0), Qt::DisplayRole).toString(), "Broken");
    EXPECT_EQ(model->data(model->index(0, 1), Qt::DisplayRole).toLongLong(), 25);
    EXPECT_EQ(model->data(model->index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(model->data(model->index(2, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Filename");
}

TEST(TableView, TheTableWithTheKeyboardIsFirstResponderAndSelectsAllItsRows)
{
    auto window = ui::Window::create({0, 0, 320, 220}, 0);
    auto table = core::make<ui::TableView>(gfx::Rect{0, 0, 300, 200});
    auto movies = std::make_shared<Movies>();
    table->addTableColumn(core::make<ui::TableColumn>("Filename"));
    table->setDataSource(movies);
    window->contentView()->addSubview(table);

    // Clicked or tabbed to, the table is where the Edit menu's commands go first.
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(ui::controlWidget(*table), &focus);
    EXPECT_EQ(window->firstResponder(), std::static_pointer_cast<ui::Responder>(table));
    ASSERT_TRUE(table->tryToPerform(ui::actions::selectAll, nullptr));
    EXPECT_TRUE(table->selectedRowIndexes().empty());  // one row at a time only
    table->setAllowsMultipleSelection(true);
    ASSERT_TRUE(table->tryToPerform(ui::actions::selectAll, nullptr));
    EXPECT_EQ(table->selectedRowIndexes(), (std::vector<long>{0, 1, 2}));
}

TEST(TableView, ReportsSelectionChangesAndKeepsRowsThatRemain)
{
    auto table = core::make<ui::TableView>(gfx::Rect{0, 0, 300, 200});
    auto movies = std::make_shared<Movies>();
    table->addTableColumn(core::make<ui::TableColumn>("Filename"));
    table->setDataSource(movies);
    table->setDelegate(movies);
    table->setAllowsMultipleSelection(true);
    EXPECT_EQ(table->selectedRow(), -1);

    table->selectRowIndexes({0, 2}, false);
    EXPECT_EQ(table->selectedRowIndexes(), (std::vector<long>{0, 2}));
    EXPECT_EQ(movies->selectionChanges, 1);
    table->selectRowIndexes({0, 2}, false);
    EXPECT_EQ(movies->selectionChanges, 1);  // no change, no report

    table->reloadData();
    EXPECT_EQ(table->selectedRowIndexes(), (std::vector<long>{0, 2}));
    EXPECT_EQ(movies->selectionChanges, 1);

    movies->rows.pop_back();
    table->reloadData();
    EXPECT_EQ(table->selectedRowIndexes(), (std::vector<long>{0}));
    EXPECT_EQ(movies->selectionChanges, 2);
    EXPECT_EQ(table->selectedRow(), 0);

    table->selectRowIndexes({7, -1}, false);
    EXPECT_TRUE(table->selectedRowIndexes().empty());
    EXPECT_EQ(movies->selectionChanges, 3);
}

}  // namespace

namespace {

struct DropTarget : Movies {
    std::vector<std::pair<long, ui::TableViewDropOperation>> proposed;
    std::vector<core::Url> accepted;
    long acceptedRow = -1;
    ui::DragOperation validateDrop(ui::TableView&, const ui::DraggingInfo&, long row,
                                   ui::TableViewDropOperation op) override
    {
        proposed.push_back({row, op});
        return ui::DragOperations::copy;
    }
    bool acceptDrop(ui::TableView&, const ui::DraggingInfo& info, long row, ui::TableViewDropOperation) override
    {
        accepted = info.fileURLs();
        acceptedRow = row;
        return true;
    }
};

TEST(TableView, HandsFileDropsToItsDataSource)
{
    auto table = core::make<ui::TableView>(gfx::Rect{0, 0, 300, 200});
    auto target = std::make_shared<DropTarget>();
    table->addTableColumn(core::make<ui::TableColumn>("Filename"));
    table->setDataSource(target);
    auto* view = qobject_cast<QTableView*>(ui::controlWidget(*table));
    QWidget* viewport = view->viewport();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/new.mov")});

    // Not registered yet: the data source hears nothing.
    QDragEnterEvent early(QPoint(10, 190), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &early);
    EXPECT_TRUE(target->proposed.empty());

    table->registerForDraggedTypes({ui::PasteboardType::fileURL});
    const int below = view->rowViewportPosition(2) + view->rowHeight(2) + 5;
    QDragEnterEvent enter(QPoint(10, below), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    ASSERT_EQ(target->proposed.size(), 1u);
    EXPECT_EQ(target->proposed[0], (std::pair<long, ui::TableViewDropOperation>{3, ui::TableViewDropOperation::above}));

    const int middleOfFirst = view->rowViewportPosition(0) + view->rowHeight(0) / 2;
    QDropEvent drop(QPointF(10, middleOfFirst), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(target->acceptedRow, 0);
    ASSERT_EQ(target->accepted.size(), 1u);
    EXPECT_EQ(target->accepted[0].path(), "/tmp/new.mov");
}

}  // namespace
