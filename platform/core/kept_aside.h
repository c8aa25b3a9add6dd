// Stored state of ours that cannot be read is never replaced: the file (or whatever is under its name) is
// renamed beside itself as "<name>.unreadable-<date>", the date local time as 2026-12-10T04-30-00, with
// "-2", "-3", ... added when that name is taken. Nothing is read and nothing is overwritten.
#pragma once

#include <optional>
#include <string>

namespace core {

// The path the item at `path` now has; nullopt when it could not be moved (then `error`, when given, gets the
// system's error number).
[[nodiscard]] std::optional<std::string> keepAsideUnreadable(const std::string& path, int* error = nullptr);

}  // namespace core
