// The parser of localized strings tables: `"key" = "value";` pairs with comments (/* */ and //), escapes
// \" \\ \n \t \r \Uxxxx (UTF-16 units; surrogate pairs join), in UTF-8 or UTF-16 with a byte-order mark.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/core/data.h"

namespace core {

using StringsTable = std::map<std::string, std::string>;

// The table, or nullopt when the text is not a well-formed strings table (never a part of one).
std::optional<StringsTable> parseStringsTable(const Data& bytes);

}  // namespace core
