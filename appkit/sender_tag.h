// The tag a command's sender carries, for commands whose menu items or controls say by their tag what to do.
// Main thread only.
#pragma once

#include <memory>
#include <optional>

#include "platform/core/object.h"

namespace kestrane {

// The tag of a menu or toolbar item, or of a control; none for any other sender or none at all.
std::optional<long> senderTag(const std::shared_ptr<core::Object>& sender);

}  // namespace kestrane
