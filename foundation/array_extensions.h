// List edits by position: moving an item up or down, swapping, safe access, and reading or removing the
// items of an index set. Indexes outside the list are ignored (or reported by the result), never a crash.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "platform/core/index_set.h"

namespace kestrane {

namespace detail {

template <class T>
bool isValidIndex(const std::vector<T>& items, std::ptrdiff_t i)
{
    return i >= 0 && static_cast<std::size_t>(i) < items.size();
}

}  // namespace detail

// The `count` items starting at `pointer`; empty for a null pointer or a count below 1.
template <class T>
std::vector<T> arrayFrom(const T* pointer, std::ptrdiff_t count)
{
    if (!pointer || count < 1) return {};
    return std::vector<T>(pointer, pointer + count);
}

// Exchanges the items at i and j; does nothing unless both are inside the list.
template <class T>
void swap(std::vector<T>& items, std::ptrdiff_t i, std::ptrdiff_t j)
{
    if (!detail::isValidIndex(items, i) || !detail::isValidIndex(items, j)) return;
    using std::swap;
    swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
}

// Moves the item at i one place toward the start; false, and nothing moved, unless 0 < i < count.
template <class T>
bool moveUp(std::vector<T>& items, std::ptrdiff_t i)
{
    if (i <= 0 || !detail::isValidIndex(items, i)) return false;
    swap(items, i, i - 1);
    return true;
}

// Moves the item at i one place toward the end; false, and nothing moved, unless 0 <= i < count - 1.
template <class T>
bool moveDown(std::vector<T>& items, std::ptrdiff_t i)
{
    if (!detail::isValidIndex(items, i) || !detail::isValidIndex(items, i + 1)) return false;
    swap(items, i, i + 1);
    return true;
}

template <class T>
std::optional<T> safeAccess(const std::vector<T>& items, std::ptrdiff_t i)
{
    if (!detail::isValidIndex(items, i)) return std::nullopt;
    return items[static_cast<std::size_t>(i)];
}

// Removes and returns the first item the predicate accepts; nullopt when none does. An exception thrown by
// the predicate leaves the list unchanged.
template <class T, class Predicate>
std::optional<T> removeWhere(std::vector<T>& items, Predicate predicate)
{
    const auto found = std::find_if(items.begin(), items.end(), predicate);
    if (found == items.end()) return std::nullopt;
    T removed = std::move(*found);
    items.erase(found);
    return removed;
}

// The items at the indexes, in ascending index order; indexes outside the list are skipped.
template <class T>
std::vector<T> subscript(const std::vector<T>& items, const core::IndexSet& indexes)
{
    std::vector<T> picked;
    for (const auto i : indexes)
        if (detail::isValidIndex(items, i)) picked.push_back(items[static_cast<std::size_t>(i)]);
    return picked;
}

// Removes the items at the indexes; indexes outside the list are skipped.
template <class T>
void removeAt(std::vector<T>& items, const core::IndexSet& indexes)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (indexes.contains(static_cast<core::IndexSet::Index>(i))) continue;
        if (kept != i) items[kept] = std::move(items[i]);
        ++kept;
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(kept), items.end());
}

}  // namespace kestrane
