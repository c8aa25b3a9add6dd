#include "foundation/index_set_extensions.h"

#include <algorithm>

namespace kestrane {

core::IndexSet indexSet(core::IndexSet::Index i1, core::IndexSet::Index i2)
{
    core::IndexSet set;
    set.insertRange(std::min(i1, i2), std::max(i1, i2) + 1);
    return set;
}

bool isSingle(const core::IndexSet& set) { return set.count() == 1; }

std::optional<core::IndexSet::Index> singleIndex(const core::IndexSet& set)
{
    if (!isSingle(set)) return std::nullopt;
    return set.first();
}

void toggle(core::IndexSet& set, core::IndexSet::Index index)
{
    if (set.contains(index))
        set.remove(index);
    else
        set.insert(index);
}

core::IndexSet toggling(const core::IndexSet& set, core::IndexSet::Index index)
{
    core::IndexSet copy = set;
    toggle(copy, index);
    return copy;
}

core::IndexSet inserting(const core::IndexSet& set, core::IndexSet::Index index)
{
    core::IndexSet copy = set;
    copy.insert(index);
    return copy;
}

core::IndexSet removing(const core::IndexSet& set, core::IndexSet::Index index)
{
    core::IndexSet copy = set;
    copy.remove(index);
    return copy;
}

}  // namespace kestrane
