#include "foundation/coder_archiving.h"

namespace kestrane {

core::Data keyedArchive(const std::shared_ptr<const core::Coding>& object)
{
    return core::KeyedArchiver::archivedData(object);
}

void encodeString(core::KeyedArchiver& coder, const std::string& string, const std::string& key)
{
    coder.encodeString(key, string);
}

std::optional<std::string> decodeStringForKey(core::KeyedUnarchiver& coder, const std::string& key)
{
    return coder.decodeString(key);
}

void encodeCodingObject(core::KeyedArchiver& coder, const std::shared_ptr<const core::Coding>& object,
                        const std::string& key)
{
    coder.encodeObject(key, object);
}

void encodeCGFloat(core::KeyedArchiver& coder, double value, const std::string& key) { coder.encodeDouble(key, value); }

double decodeCGFloatForKey(core::KeyedUnarchiver& coder, const std::string& key) { return coder.decodeDouble(key); }

}  // namespace kestrane
