#include "app/batch/batch_state.h"

#include <algorithm>
#include <cctype>

#include "foundation/bundle_info.h"
#include "platform/core/bundle.h"

namespace vistrel::batch_state {

std::optional<BatchState> fromRawValue(int rawValue)
{
    if (rawValue < 0 || rawValue > 4) return std::nullopt;
    return static_cast<BatchState>(rawValue);
}

int rawValue(BatchState state) { return static_cast<int>(state); }

std::string name(BatchState state)
{
    switch (state) {
    case BatchState::pending:
        return "pending";
    case BatchState::processing:
        return "processing";
    case BatchState::stopped:
        return "stopped";
    case BatchState::cancelled:
        return "cancelled";
    case BatchState::complete:
        return "complete";
    }
    return {};
}

std::string localizedDescription(BatchState state)
{
    return kestrane::local(*core::Bundle::main(), "BatchState." + name(state));
}

std::string upperName(BatchState state)
{
    std::string text = name(state);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

bool isFinished(BatchState state) { return state == BatchState::cancelled || state == BatchState::complete; }

}  // namespace vistrel::batch_state
