// The program's one-line reports on standard output, and the stop for states that must never happen.
// Safe from any thread: lines never interleave.
#pragma once

#include <string_view>

namespace core {

// Writes the line and a newline to standard output, flushed at once.
void print(std::string_view line);

// Writes the message to standard error and aborts the process.
[[noreturn]] void fatalError(std::string_view message);

}  // namespace core
