// The frame of every composite scanner: whitespace and line breaks are skipped while `parts` runs; then
// the scanner's own skip set comes back, and when `parts` gives nothing, its location too.
#pragma once

#include <optional>

#include "platform/core/character_set.h"
#include "platform/core/scanner.h"

namespace kestrane {

template <class Value, class Parts>
std::optional<Value> compositeScan(core::Scanner& scanner, Parts parts)
{
    const std::size_t location = scanner.scanLocation();
    std::optional<core::CharacterSet> skipped = scanner.charactersToBeSkipped();
    scanner.setCharactersToBeSkipped(core::CharacterSet::whitespacesAndNewlines());
    std::optional<Value> value = parts(scanner);
    scanner.setCharactersToBeSkipped(std::move(skipped));
    if (!value) scanner.setScanLocation(location);
    return value;
}

}  // namespace kestrane
