#include "platform/media/detail/job_plan.h"

#include <algorithm>

namespace media::detail {

namespace {

// The place of the stretch holding t: how many key frames lie at or before it.
std::size_t stretchOf(const std::vector<std::int64_t>& keyFrames, std::int64_t t)
{
    return std::size_t(std::upper_bound(keyFrames.begin(), keyFrames.end(), t) - keyFrames.begin());
}

bool startsRun(const std::vector<std::int64_t>& keyFrames, std::int64_t margin, std::int64_t gap, std::int64_t previous,
               std::int64_t target)
{
    if (target < previous) return true;
    if (keyFrames.empty()) return target - previous >= gap;
    return stretchOf(keyFrames, target - margin) != stretchOf(keyFrames, previous - margin);
}

}  // namespace

std::vector<JobRun> jobRuns(const std::vector<std::optional<std::int64_t>>& targets,
                            const std::vector<std::int64_t>& keyFrames, std::int64_t margin, std::int64_t gap)
{
    std::vector<JobRun> runs;
    std::optional<std::int64_t> previous;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const std::optional<std::int64_t>& target = targets[i];
        if (runs.empty() || (target && previous && startsRun(keyFrames, margin, gap, *previous, *target)))
            runs.push_back({i, i});
        runs.back().end = i + 1;
        if (target) previous = target;
    }
    return runs;
}

JobDecoders jobDecoders(int cores, std::size_t runs, int width, int height)
{
    cores = std::max(1, cores);
    constexpr double fullHD = 1920.0 * 1088.0;
    const double pixels = std::max(1.0, double(width) * double(height));
    // Eight 1080p decoders at once hold about as much as one with eight frame threads.
    const int mostDecoders = int(std::clamp(8.0 * fullHD / pixels, 1.0, double(cores)));
    const int wanted = int(std::clamp<std::size_t>(runs, 1, std::size_t(cores)));
    const int decoders = std::min(wanted, mostDecoders);
    const bool small = pixels < 640.0 * 480.0;
    return {decoders, small ? 1 : std::max(1, cores / decoders)};
}

}  // namespace media::detail
