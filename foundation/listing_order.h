// The order in which file managers list names: a run of digits compares by its number ("clip2" before
// "clip10"), letters compare without regard to case, and names that still tie keep a fixed order by their
// bytes. Any thread.
#pragma once

#include <string_view>

namespace kestrane {

// Negative, zero or positive as `a` lists before, with or after `b`; zero only for equal names.
int compareListingNames(std::string_view a, std::string_view b);
inline bool listsBefore(std::string_view a, std::string_view b) { return compareListingNames(a, b) < 0; }

}  // namespace kestrane
