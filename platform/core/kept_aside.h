// Stored state of ours that cannot be read is never replaced: the file (or whatever is under its name) is
// renamed beside itself as "<name>.unreadable-<date>", the date local time as 2026-12-10T04-30-00, with
// "-2", "-3", ... added when that name is taken. Nothing is read and nothing is overwritten. A file that reads
// but holds parts that cannot be read is kept the same way as a copy, before anything is written over it.
#pragma once

#include <optional>
#include <string>

#include "platform/core/data.h"

namespace core {

// The path the item at `path` now has; nullopt when it could not be moved (then `error`, when given, gets the
// system's error number).
[[nodiscard]] std::optional<std::string> keepAsideUnreadable(const std::string& path, int* error = nullptr);

// Writes `bytes`, what was read from `path`, as a new file under the name keepAsideUnreadable would give, whole
// and on disk when this returns; the item at `path` stays. The copy's path; nullopt when it could not be
// written (`error` as above), and then no copy is left behind.
[[nodiscard]] std::optional<std::string> keepCopyAside(const std::string& path, const Data& bytes,
                                                       int* error = nullptr);

}  // namespace core
