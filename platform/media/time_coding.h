// A time written into a keyed archive and read back exactly, under one key of the archive.
#pragma once

#include "platform/core/keyed_archiver.h"
#include "platform/core/keyed_unarchiver.h"
#include "platform/media/time.h"

#include <string>

namespace media {

void encodeTime(core::KeyedArchiver& coder, const std::string& key, const Time& time);
// The time stored under the key; invalid when the key is absent or what it holds is not a time.
Time decodeTime(core::KeyedUnarchiver& coder, const std::string& key);

}  // namespace media
