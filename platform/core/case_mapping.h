// Lower- and upper-casing of UTF-8 text by the Unicode rules, independent of the locale.
#pragma once

#include <string>
#include <string_view>

namespace core {

std::string lowercased(std::string_view text);
std::string uppercased(std::string_view text);

}  // namespace core
