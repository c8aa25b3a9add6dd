// What the batch window's lower half reads from its controls, as plain values, and what they make: the frame
// times of one movie and the settings of its task. Values that would give no sound frame times (no positive
// interval, fewer than one frame, a negative count) make no splitter at all, and a maximum size that is
// negative or no number means no limit. Plain values; any thread.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "foundation/image_format.h"
#include "moviekit/time_splitter.h"
#include "platform/media/time_range.h"

namespace vistrel {

// The rows of the split mode's radio buttons.
enum class SplitMode : long { everySeconds = 0, everyFrames = 1, total = 2 };

struct BatchSettings {
    long splitterRow = 0;
    double seconds = 1;  // every N seconds
    long frames = 1;     // every N frames
    long count = 1;      // N frames in total, besides the start and the end
    // None: a check box in the mixed state, taken as off.
    std::optional<bool> includesStart = false;
    std::optional<bool> includesEnd = false;
    double maxSize = 0;
    long formatTag = 0;
    long errorIndex = 0;  // 1: a name already taken is replaced by a free one
    long logsIndex = 0;   // 1: a log file is written
};

// The frame times over `clipRange` of a movie whose frames start at `frameTimes` (every N frames takes its
// frames from them; null while they are not read, which gives no frame yet); none when the settings cannot
// give sound times.
std::optional<orvalis::TimeSplitter> makeSplitter(const media::TimeRange& clipRange,
                                                  std::shared_ptr<const std::vector<media::Time>> frameTimes,
                                                  const BatchSettings& settings);

// The largest side of a written frame; 0 (no limit) for a negative size or one that is no number.
double usableMaxSize(double maxSize);

// The format of the tag; none for a tag that names no format.
std::optional<kestrane::ImageFormat> formatOfTag(long tag);

}  // namespace vistrel
