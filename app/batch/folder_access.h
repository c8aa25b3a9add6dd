// Whether files can be made in a folder, asked of the file system itself (a trial file, made and dropped at
// once), so that permissions, read-only mounts and the superuser are all answered as a write would be. Any
// thread.
#pragma once

#include <optional>
#include <string>

#include "platform/core/url.h"

namespace vistrel {

// None when a file can be made in the folder; else the system's reason, in words ("Read-only file system").
std::optional<std::string> whyNotWritable(const core::Url& folder);

}  // namespace vistrel
