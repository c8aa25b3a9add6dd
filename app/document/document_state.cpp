#include "app/document/document_state.h"

#include <array>
#include <utility>

#include "foundation/bundle_info.h"
#include "platform/core/bundle.h"

namespace vistrel {

namespace {

constexpr std::array<std::pair<DocumentState, const char*>, 6> rawValues{{
    {DocumentState::snapping, "Snapping"},
    {DocumentState::selecting, "Selecting"},
    {DocumentState::exporting, "Exporting"},
    {DocumentState::restoring, "Restoring"},
    {DocumentState::generating, "Generating"},
    {DocumentState::opening, "Opening"},
}};

}  // namespace

std::string rawValue(DocumentState state)
{
    for (const auto& [each, raw] : rawValues)
        if (each == state) return raw;
    return {};
}

std::optional<DocumentState> fromRawValue(std::type_identity<DocumentState>, const std::string& raw)
{
    for (const auto& [state, text] : rawValues)
        if (raw == text) return state;
    return std::nullopt;
}

bool isBusy(DocumentState state)
{
    return state == DocumentState::exporting || state == DocumentState::restoring || state == DocumentState::generating;
}

std::string localizedTitle(DocumentState state)
{
    return kestrane::local(*core::Bundle::main(), "DocumentState." + rawValue(state));
}

}  // namespace vistrel
