// A set of integer indexes (the selection of a list, rows to remove), kept as sorted, disjoint,
// non-adjacent ranges. A value type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

namespace core {

class IndexSet {
public:
    using Index = std::int64_t;

    // A half-open range [lower, upper).
    struct Range {
        Index lower;
        Index upper;
        friend bool operator==(const Range&, const Range&) = default;
    };

    IndexSet() = default;
    IndexSet(std::initializer_list<Index> indexes);
    // Every index of [lower, upper); empty when upper <= lower.
    static IndexSet inRange(Index lower, Index upper);

    bool isEmpty() const { return ranges_.empty(); }
    std::size_t count() const;
    bool contains(Index index) const;
    std::optional<Index> first() const;
    std::optional<Index> last() const;

    void insert(Index index);
    void insertRange(Index lower, Index upper);
    void remove(Index index);
    void removeRange(Index lower, Index upper);
    void removeAll() { ranges_.clear(); }

    IndexSet unioned(const IndexSet& other) const;
    IndexSet intersection(const IndexSet& other) const;

    // The indexes in ascending order.
    std::vector<Index> indexes() const;
    const std::vector<Range>& ranges() const { return ranges_; }

    class Iterator {
    public:
        using value_type = Index;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Index operator*() const { return value_; }
        Iterator& operator++();
        Iterator operator++(int);
        friend bool operator==(const Iterator& a, const Iterator& b)
        {
            return a.range_ == b.range_ && (a.range_ == a.end_ || a.value_ == b.value_);
        }

    private:
        friend class IndexSet;
        Iterator(std::vector<Range>::const_iterator range, std::vector<Range>::const_iterator end);
        std::vector<Range>::const_iterator range_{};
        std::vector<Range>::const_iterator end_{};
        Index value_ = 0;
    };

    Iterator begin() const { return Iterator(ranges_.begin(), ranges_.end()); }
    Iterator end() const { return Iterator(ranges_.end(), ranges_.end()); }

    friend bool operator==(const IndexSet&, const IndexSet&) = default;

private:
    std::vector<Range> ranges_;
};

}  // namespace core
