// The lazy list of the middles of `count` equal pieces of a span of time: each request gives the next one,
// and after `count` of them the list stays ended.
#pragma once

#include "platform/media/time.h"

#include <cstdint>
#include <optional>

namespace kestrane {

class TimeSplitIterator {
public:
    // The pieces of [start, start + length). Counts below 1 or beyond 32 bits give an empty list.
    TimeSplitIterator(const media::Time& start, const media::Time& length, std::int64_t count);

    // The next middle, or nullopt once `count` of them have come.
    std::optional<media::Time> next();

private:
    std::int64_t counter_ = 0;
    std::int64_t count_;
    media::Time current_;
    media::Time step_;
};

}  // namespace kestrane
