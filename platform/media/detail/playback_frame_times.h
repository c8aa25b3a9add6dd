// The presentation times of a video stream's frames around a frame, read from the packets alone (no
// decoding): what a step of some frames forwards or backwards needs. Reads from the key frame at or before
// the frame, going back a key frame at a time while a backward step needs more, so that a step costs the same
// at the start of a long movie as at its end. One thread at a time.
#pragma once

#include "platform/media/detail/ffmpeg.h"
#include "platform/media/detail/packet_reader.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace media::detail {

class PlaybackFrameTimes {
public:
    // Frames before firstPts (the stream's start on the movie's timeline) are none of the movie's.
    PlaybackFrameTimes(std::string path, int streamIndex, std::int64_t firstPts = AV_NOPTS_VALUE)
        : path_(std::move(path)), streamIndex_(streamIndex), firstPts_(firstPts)
    {
    }

    // The pts `count` frames away from the frame shown at `from` (the last frame at or before it), stopping at
    // the first and the last frame; nullopt when the stream's packets cannot be read.
    std::optional<std::int64_t> step(std::int64_t from, int count);

private:
    // The times of a stretch read before, every one of them from its first up to knownUpTo (to the end of the
    // stream when reachedEnd).
    struct Stretch {
        std::set<std::int64_t> times;
        std::int64_t knownUpTo = 0;
        bool reachedEnd = false;
    };
    // Adds the pts of the packets from the key frame at or before `start` on, until every frame up to
    // `until` is known and `after` more beyond it (or the end). The earliest pts read; nullopt when none.
    std::optional<std::int64_t> scan(std::int64_t start, std::int64_t until, int after, Stretch& stretch);
    // Where the stream starts: firstPts when given, else its stated start.
    std::int64_t streamStart() const;
    // The step's answer from the stretch read last, when it lies within it.
    std::optional<std::int64_t> stepWithin(const Stretch& stretch, std::int64_t from, int count) const;

    const std::string path_;
    const int streamIndex_;
    const std::int64_t firstPts_;
    std::unique_ptr<PacketReader> reader_;
    PacketPtr packet_;
    bool opened_ = false;
    // Steps in a row mostly stay within the stretch of frames the first one read.
    Stretch last_;
};

}  // namespace media::detail
