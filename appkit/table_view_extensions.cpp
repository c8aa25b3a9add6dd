#include "appkit/table_view_extensions.h"

namespace kestrane {

namespace {

std::vector<long> indexesOf(const core::IndexSet& set)
{
    std::vector<long> indexes;
    for (auto index : set)
        indexes.push_back(long(index));
    return indexes;
}

}  // namespace

void selectOnlyRow(ui::TableView& table, long row) { selectOnlyRows(table, core::IndexSet{row}); }

void selectAlsoRow(ui::TableView& table, long row) { selectAlsoRows(table, core::IndexSet{row}); }

void selectOnlyRows(ui::TableView& table, const core::IndexSet& rows)
{
    table.selectRowIndexes(indexesOf(rows), false);
}

void selectAlsoRows(ui::TableView& table, const core::IndexSet& rows) { table.selectRowIndexes(indexesOf(rows), true); }

void reloadDataForRowIndexes(ui::TableView& table, const core::IndexSet& rows)
{
    table.reloadData(indexesOf(rows), indexesOf(core::IndexSet::inRange(0, table.numberOfColumns())));
}

void reloadDataForColumnsIndexes(ui::TableView& table, const core::IndexSet& columns)
{
    table.reloadData(indexesOf(core::IndexSet::inRange(0, table.numberOfRows())), indexesOf(columns));
}

}  // namespace kestrane
