// Selection edits on index sets: the span between two clicked rows, toggling a row, and single-row tests.
#pragma once

#include <optional>

#include "platform/core/index_set.h"

namespace kestrane {

// Every index from min(i1, i2) to max(i1, i2), both included.
core::IndexSet indexSet(core::IndexSet::Index i1, core::IndexSet::Index i2);

bool isSingle(const core::IndexSet& set);
// The only index of a set of one; nullopt otherwise.
std::optional<core::IndexSet::Index> singleIndex(const core::IndexSet& set);

// Removes the index when present, inserts it otherwise.
void toggle(core::IndexSet& set, core::IndexSet::Index index);
core::IndexSet toggling(const core::IndexSet& set, core::IndexSet::Index index);
core::IndexSet inserting(const core::IndexSet& set, core::IndexSet::Index index);
core::IndexSet removing(const core::IndexSet& set, core::IndexSet::Index index);

}  // namespace kestrane
