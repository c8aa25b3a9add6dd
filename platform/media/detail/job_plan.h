// How an image job splits its frames among decoders: into runs that one decoder goes through in one pass (the
// frames of one key-frame stretch, in order of time), and how many decoders of how many threads work on them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace media::detail {

// The frames asked for at [begin, end) of the job's list.
struct JobRun {
    std::size_t begin;
    std::size_t end;
};

// The job's list cut into runs, in its order: a run goes on while the targets (stream ticks; none for a frame
// that is not decoded) keep to one stretch between key frames and never go back in time. An index may hold
// decoding times, and a frame stored shortly after a key frame may be shown before it: a target less than
// `margin` after a key frame's time counts in the stretch before, which reaches it by decoding on. Without an
// index of key frames (`keyFrames` empty), a run also ends where a target lies `gap` ticks or more after the
// one before, a distance at which a decoder seeking there costs less than decoding on.
std::vector<JobRun> jobRuns(const std::vector<std::optional<std::int64_t>>& targets,
                            const std::vector<std::int64_t>& keyFrames, std::int64_t margin, std::int64_t gap);

struct JobDecoders {
    int decoders;
    int threads;  // each decoder's
};

// The decoders for `runs` runs of pictures of width × height on `cores` cores: one thread each while there are
// runs enough to keep every core busy (decoders side by side waste nothing on frame threads), more per decoder
// for fewer runs; small pictures decode best on one thread, and large ones open fewer decoders at once (each
// holds its reference pictures).
JobDecoders jobDecoders(int cores, std::size_t runs, int width, int height);

}  // namespace media::detail
