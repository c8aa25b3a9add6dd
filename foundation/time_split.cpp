#include "foundation/time_split.h"

#include <limits>

namespace kestrane {

TimeSplitIterator::TimeSplitIterator(const media::Time& start, const media::Time& length, std::int64_t count)
    : count_(count > std::numeric_limits<std::int32_t>::max() ? 0 : count)
{
    if (count_ <= 0) return;
    step_ = media::multiplyByRatio(length, 1, std::int32_t(count_));
    media::Time half = media::multiplyByRatio(step_, 1, 2);
    current_ = (start + half) - step_;
}

std::optional<media::Time> TimeSplitIterator::next()
{
    if (counter_ >= count_) return std::nullopt;
    ++counter_;
    current_ = current_ + step_;
    return current_;
}

}  // namespace kestrane
