// Selection edits on index sets: the span between two clicked rows, toggling a row, and single-row tests.
#pragma once

#include <optional>

#include "platform/core/index_set.h"

namespace kestrane {

using Index = core::IndexSet::Index;

// Every index from min(i1, i2) to max(i1, i2), both included.
core::IndexSet indexSet(Index i1, Index i2);

bool isSingle(const core::IndexSet& set);
// The only index of a set of one; nullopt otherwise.
std::optional<Index> singleIndex(const core::IndexSet& set);

// Removes the index when present, inserts it otherwise.
void toggle(core::IndexSet& set, Index index);
core::IndexSet toggling(const core::IndexSet& set, Index index);
core::IndexSet inserting(const core::IndexSet& set, Index index);
core::IndexSet removing(const core::IndexSet& set, Index index);

}  // namespace kestrane
