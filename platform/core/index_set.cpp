#include "platform/core/index_set.h"

#include <algorithm>

namespace core {

IndexSet::IndexSet(std::initializer_list<Index> indexes)
{
    for (Index index : indexes)
        insert(index);
}

IndexSet IndexSet::inRange(Index lower, Index upper)
{
    IndexSet set;
    set.insertRange(lower, upper);
    return set;
}

std::size_t IndexSet::count() const
{
    std::size_t total = 0;
    for (const Range& range : ranges_)
        total += static_cast<std::size_t>(range.upper - range.lower);
    return total;
}

bool IndexSet::contains(Index index) const
{
    const auto it = std::upper_bound(ranges_.begin(), ranges_.end(), index,
                                     [](Index value, const Range& range) { return value < range.upper; });
    return it != ranges_.end() && it->lower <= index;
}

std::optional<IndexSet::Index> IndexSet::first() const
{
    if (ranges_.empty()) return std::nullopt;
    return ranges_.front().lower;
}

std::optional<IndexSet::Index> IndexSet::last() const
{
    if (ranges_.empty()) return std::nullopt;
    return ranges_.back().upper - 1;
}

void IndexSet::insert(Index index) { insertRange(index, index + 1); }

void IndexSet::insertRange(Index lower, Index upper)
{
    if (upper <= lower) return;
    // Every range that overlaps or touches [lower, upper) merges into it.
    auto from = std::lower_bound(ranges_.begin(), ranges_.end(), lower,
                                 [](const Range& range, Index value) { return range.upper < value; });
    auto to = from;
    while (to != ranges_.end() && to->lower <= upper) {
        lower = std::min(lower, to->lower);
        upper = std::max(upper, to->upper);
        ++to;
    }
    from = ranges_.erase(from, to);
    ranges_.insert(from, Range{lower, upper});
}

void IndexSet::remove(Index index) { removeRange(index, index + 1); }

void IndexSet::removeRange(Index lower, Index upper)
{
    if (upper <= lower) return;
    std::vector<Range> kept;
    kept.reserve(ranges_.size() + 1);
    for (const Range& range : ranges_) {
        if (range.upper <= lower || range.lower >= upper) {
            kept.push_back(range);
            continue;
        }
        if (range.lower < lower) kept.push_back(Range{range.lower, lower});
        if (range.upper > upper) kept.push_back(Range{upper, range.upper});
    }
    ranges_ = std::move(kept);
}

IndexSet IndexSet::unioned(const IndexSet& other) const
{
    IndexSet result = *this;
    for (const Range& range : other.ranges_)
        result.insertRange(range.lower, range.upper);
    return result;
}

IndexSet IndexSet::intersection(const IndexSet& other) const
{
    IndexSet result;
    for (const Range& a : ranges_)
        for (const Range& b : other.ranges_) {
            const Index lower = std::max(a.lower, b.lower);
            const Index upper = std::min(a.upper, b.upper);
            if (lower < upper) result.ranges_.push_back(Range{lower, upper});
        }
    return result;
}

std::vector<IndexSet::Index> IndexSet::indexes() const { return std::vector<Index>(begin(), end()); }

IndexSet::Iterator::Iterator(std::vector<Range>::const_iterator range, std::vector<Range>::const_iterator end)
    : range_(range), end_(end), value_(range != end ? range->lower : 0)
{
}

IndexSet::Iterator& IndexSet::Iterator::operator++()
{
    if (++value_ >= range_->upper) {
        ++range_;
        value_ = range_ != end_ ? range_->lower : 0;
    }
    return *this;
}

IndexSet::Iterator IndexSet::Iterator::operator++(int)
{
    Iterator previous = *this;
    ++*this;
    return previous;
}

}  // namespace core
