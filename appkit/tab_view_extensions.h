// Tab view shorthands: the selected item's index, and putting a new view in an item's place. Main thread only.
#pragma once

#include <memory>
#include <optional>

#include "platform/ui/tab_view.h"

namespace kestrane {

// nullopt when no item is selected.
std::optional<long> indexOfSelectedItem(const ui::TabView& tabView);
// The new view takes the frame and autoresizing of the item's view, when it has one, and becomes its view.
// An index outside the items changes nothing.
void replaceViewOfItem(ui::TabView& tabView, long index, const std::shared_ptr<ui::View>& view);

}  // namespace kestrane
