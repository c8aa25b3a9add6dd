// The life state of one batch task: whether its frame loop goes on, waits or has ended, which counter of the
// batch manager counts it, and the text shown for it. A plain value.
#pragma once

#include <optional>
#include <string>

namespace vistrel {

enum class BatchState : int {
    pending = 0,     // created, not started yet
    processing = 1,  // its frame loop runs
    stopped = 2,     // paused by the user; its frame loop waits
    cancelled = 3,   // cancelled by the user; no further frame is started
    complete = 4,    // every frame was handled
};

namespace batch_state {

// None for any raw value outside 0 to 4.
std::optional<BatchState> fromRawValue(int rawValue);
int rawValue(BatchState state);
// "pending", "processing", ...
std::string name(BatchState state);
// The main bundle's text for "BatchState." + the case name (the key itself when there is none).
std::string localizedDescription(BatchState state);
// The case name in capital letters.
std::string upperName(BatchState state);
// Cancelled and complete.
bool isFinished(BatchState state);

}  // namespace batch_state

}  // namespace vistrel
