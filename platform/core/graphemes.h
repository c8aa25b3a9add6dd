// Where the user-perceived characters (extended grapheme clusters) of a UTF-8 text begin and end.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace core {

// Byte offsets of every character boundary, from 0 to text.size() both included: a text of n characters
// gives n + 1 offsets ("e" + U+0301 + "x" gives 0, 3, 4). A byte that is not valid UTF-8 is a character
// of its own.
std::vector<std::size_t> graphemeBoundaries(std::string_view text);

}  // namespace core
