#include "app/document/snap_item.h"

#include "foundation/coder_archiving.h"
#include "foundation/time_values.h"
#include "platform/core/keyed_archiver.h"
#include "platform/media/time_coding.h"

namespace vistrel {

namespace {

const char* const timeKey = "time";
const char* const editionKey = "edition";

// Known to every unarchiver once the program has loaded this file.
[[maybe_unused]] const bool registered = [] {
    core::CodingRegistry::add<SnapItem>(SnapItem::codingClassName, &SnapItem::decode);
    return true;
}();

}  // namespace

std::shared_ptr<SnapItem> SnapItem::decode(core::KeyedUnarchiver& coder)
{
    const auto edition = kestrane::decodeCodableStructForKey<orvalis::Edition>(coder, editionKey);
    if (!edition) return nullptr;
    const media::Time time = media::decodeTime(coder, timeKey);
    if (!time.isNumeric()) return nullptr;
    return create(time, *edition);
}

void SnapItem::encode(core::KeyedArchiver& coder) const
{
    media::encodeTime(coder, timeKey, time_);
    kestrane::encodeCodableStruct(coder, edition_, editionKey);
}

std::string SnapItem::description() const { return "SnapItem<time: " + kestrane::hhmmssmsDesc(time_) + ">"; }

}  // namespace vistrel
