// Table shorthands: selecting rows alone or in addition to the selection, and reloading whole rows or whole
// columns. Main thread only.
#pragma once

#include "platform/core/index_set.h"
#include "platform/ui/table_view.h"

namespace kestrane {

void selectOnlyRow(ui::TableView& table, long row);
void selectAlsoRow(ui::TableView& table, long row);
void selectOnlyRows(ui::TableView& table, const core::IndexSet& rows);
void selectAlsoRows(ui::TableView& table, const core::IndexSet& rows);
// Every column of those rows.
void reloadDataForRowIndexes(ui::TableView& table, const core::IndexSet& rows);
// Every row of those columns.
void reloadDataForColumnsIndexes(ui::TableView& table, const core::IndexSet& columns);

}  // namespace kestrane
