#include "moviekit/edition_coding_state.h"

#include "foundation/coder_archiving.h"
#include "platform/core/keyed_archiver.h"

namespace orvalis {

namespace {

const char* const orientationKey = "orientation";
const char* const horizontalFlippedKey = "horizontalFlipped";
const char* const verticalFlippedKey = "verticalFlipped";

// Known to every unarchiver as soon as the library is loaded.
[[maybe_unused]] const bool registered = [] {
    core::CodingRegistry::add<EditionCodingState>(EditionCodingState::codingClassName, &EditionCodingState::decode);
    return true;
}();

}  // namespace

std::shared_ptr<EditionCodingState> EditionCodingState::decode(core::KeyedUnarchiver& coder)
{
    const auto orientation = kestrane::decodeIntEnumForKey<kestrane::Orientation>(coder, orientationKey);
    if (!orientation) return nullptr;
    return std::make_shared<EditionCodingState>(*orientation, coder.decodeBool(horizontalFlippedKey),
                                                coder.decodeBool(verticalFlippedKey));
}

void EditionCodingState::encode(core::KeyedArchiver& coder) const
{
    kestrane::encodeIntEnum(coder, orientation(), orientationKey);
    coder.encodeBool(horizontalFlippedKey, horizontalFlipped());
    coder.encodeBool(verticalFlippedKey, verticalFlipped());
}

}  // namespace orvalis
