// The message a later launch of the program sends to the one already running: the files it was given, as
// absolute paths, in order (none: the program only comes forward). Framed as a 4-byte big-endian length, then
// each path followed by a NUL byte. Any thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// The whole message for `paths` (none may be empty or hold a NUL byte).
std::string encodeHandover(const std::vector<std::string>& paths);

// What the bytes received so far make: more are needed, a message (nothing after it), or bytes that are none.
struct HandoverReading {
    enum class Status { incomplete, complete, broken };
    Status status = Status::incomplete;
    std::vector<std::string> paths;  // when complete
};

// Broken: a length over largestHandover, bytes after the message, an empty path, a last path without its NUL.
HandoverReading readHandover(std::string_view bytes);

constexpr std::size_t largestHandover = 16u << 20;

}  // namespace ui
