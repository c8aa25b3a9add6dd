// The start of every video frame of an asset on its timeline (time zero is its first frame), in display
// order, read from the packets of its video track alone, without decoding: what taking "every N frames"
// needs to land on the frames themselves, whatever the rate, constant or variable. Reads the whole stream's
// packets, so a caller off the main thread. Any thread.
#pragma once

#include "platform/media/asset.h"
#include "platform/media/time.h"

#include <optional>
#include <vector>

namespace media {

// None when the asset has no video stream whose packets can be read.
std::optional<std::vector<Time>> videoFrameTimes(const Asset& asset);

}  // namespace media
