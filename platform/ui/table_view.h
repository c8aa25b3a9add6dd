// A table of rows and columns whose cells come from a data source; a delegate may colour a cell's text before
// it shows and hears of selection changes. Main thread only.
#pragma once

#include <any>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/color.h"
#include "platform/ui/control.h"

namespace ui {

class TableView;

// Where a drop lands: on a row, or above it (the row count: after the last).
enum class TableViewDropOperation { on = 0, above = 1 };

class TableColumn : public core::Object {
public:
    explicit TableColumn(std::string identifier) : identifier_(std::move(identifier)), title_(identifier_) {}
    const std::string& identifier() const { return identifier_; }
    const std::string& title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }
    double width() const { return width_; }
    void setWidth(double width) { width_ = width; }

private:
    std::string identifier_;
    std::string title_;
    double width_ = 100;
};

// A cell about to show: its value and, for text cells, the colour its text takes.
struct TableCell {
    std::any objectValue;
    bool isTextCell = true;
    std::optional<gfx::Color> textColor;
};

class TableDataSource {
public:
    virtual ~TableDataSource() = default;
    virtual long numberOfRowsInTableView(TableView& table) = 0;
    // A string, a number or nothing (an empty value).
    virtual std::any objectValueFor(TableView& table, const std::shared_ptr<TableColumn>& column, long row)
    {
        return {};
    }
    // What the cell's tooltip says, in words; empty for none.
    virtual std::string toolTipFor(TableView& table, const std::shared_ptr<TableColumn>& column, long row)
    {
        return {};
    }
    // Drops on a table registered for their types: what the drop would do at the proposed place (none refuses
    // it), then the drop itself.
    virtual DragOperation validateDrop(TableView& table, const DraggingInfo& info, long proposedRow,
                                       TableViewDropOperation operation)
    {
        return DragOperations::none;
    }
    virtual bool acceptDrop(TableView& table, const DraggingInfo& info, long row, TableViewDropOperation operation)
    {
        return false;
    }
};

class TableDelegate {
public:
    virtual ~TableDelegate() = default;
    virtual void willDisplayCell(TableView& table, TableCell& cell, const std::shared_ptr<TableColumn>& column,
                                 long row)
    {
    }
    virtual void tableViewSelectionDidChange(TableView& table) {}
};

class TableView : public Control {
public:
    struct Impl;
    // Posted with the table as object after its selection changed.
    static constexpr const char* selectionDidChangeNotification = "NSTableViewSelectionDidChangeNotification";

    explicit TableView(const gfx::Rect& frame = {});
    ~TableView() override;
    void awake() override;

    std::shared_ptr<TableDataSource> dataSource() const;
    void setDataSource(const std::shared_ptr<TableDataSource>& source);
    std::shared_ptr<TableDelegate> delegate() const;
    void setDelegate(const std::shared_ptr<TableDelegate>& delegate);

    void addTableColumn(const std::shared_ptr<TableColumn>& column);
    void removeTableColumn(const std::shared_ptr<TableColumn>& column);
    const std::vector<std::shared_ptr<TableColumn>>& tableColumns() const;
    std::shared_ptr<TableColumn> tableColumnWithIdentifier(const std::string& identifier) const;
    long numberOfColumns() const { return long(tableColumns().size()); }
    long numberOfRows() const;

    // Asks the data source again; the selection keeps the rows that still exist.
    void reloadData();
    void reloadData(const std::vector<long>& rows, const std::vector<long>& columns);

    // −1 when no row is selected; else the last selected.
    long selectedRow() const;
    // Ascending.
    std::vector<long> selectedRowIndexes() const;
    void selectRowIndexes(const std::vector<long>& rows, bool byExtendingSelection);
    void deselectAll(const std::shared_ptr<core::Object>& sender);
    // Every row, when several may be selected; also the action actions::selectAll.
    void selectAll();
    bool isRowSelected(long row) const;
    bool allowsMultipleSelection() const;
    void setAllowsMultipleSelection(bool allows);
    bool allowsEmptySelection() const { return allowsEmpty_; }
    void setAllowsEmptySelection(bool allows) { allowsEmpty_ = allows; }
    // The action a double click sends to the target; the row clicked last.
    Action doubleAction() const { return doubleAction_; }
    void setDoubleAction(const Action& action) { doubleAction_ = action; }
    long clickedRow() const { return clickedRow_; }
    void scrollRowToVisible(long row);

    // For the ui layer: a drag at widget pixel `y` of the rows is proposed to the data source, or dropped.
    DragOperation proposeDrop(const DraggingInfo& info, double y, long* row, TableViewDropOperation* operation);
    bool drop(const DraggingInfo& info, double y);
    // Takes the keyboard when clicked or tabbed to, and is then its window's first responder.
    bool acceptsFirstResponder() const override { return true; }
    // For the ui layer: the table's widget took the keyboard.
    void tookKeyboardFocus();
    // For the ui layer: the selection may have changed (by the user or in code); tells of a change.
    void selectionChanged();
    void doubleClicked(long row);

private:
    std::unique_ptr<Impl> impl_;
    bool allowsEmpty_ = true;
    Action doubleAction_;
    long clickedRow_ = -1;
    bool quiet_ = false;
    std::vector<long> reported_;  // the selection last told of
};

}  // namespace ui
