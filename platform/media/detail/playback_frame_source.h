// The pictures of a player: one video stream decoded in presentation order, positioned by seeks with
// tolerances and by steps through the stream's index of frame times. Used by the decode thread alone.
#pragma once

#include "platform/gfx/image.h"
#include "platform/media/asset.h"
#include "platform/media/detail/frame_converter.h"
#include "platform/media/detail/video_decoder.h"
#include "platform/media/time.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace media::detail {

// A decoded picture: its pts in stream ticks, its time on the asset's timeline and its image.
struct PlaybackFrame {
    std::int64_t pts = 0;
    Time time = Time::zero();
    gfx::ImageRef image;
};

class PlaybackFrameSource {
public:
    // Null when the asset holds no video that decodes.
    static std::unique_ptr<PlaybackFrameSource> open(const Asset& asset);

    // The frame a seek lands on: the frame holding t with zero tolerances, the key frame at or before it with
    // an infinite tolerance before, else the first frame within [t − before, t + after].
    std::optional<PlaybackFrame> seek(const Time& t, const Time& before, const Time& after);
    // The pts `count` frames away from the frame at `fromPts`, clamped to the first and last frame.
    std::int64_t stepTarget(std::int64_t fromPts, int count);
    // The frame with exactly that pts (the one holding it when the stream disagrees with its index).
    std::optional<PlaybackFrame> frameAt(std::int64_t pts);
    // The frame after the last one handed out; nullopt at the end of the stream or when it stops decoding.
    std::optional<PlaybackFrame> next();

    std::int64_t ticksOf(const Time& t, Rounding rounding) const;

private:
    PlaybackFrameSource(const Asset& asset, std::unique_ptr<VideoDecoder> decoder);
    std::optional<PlaybackFrame> make(const AVFrame* frame);
    const std::vector<std::int64_t>& index();

    std::string path_;
    std::unique_ptr<VideoDecoder> decoder_;
    FrameConverter converter_;
    AVRational timeBase_;
    Time origin_;
    int width_;
    int height_;
    bool indexed_ = false;
    std::vector<std::int64_t> index_;  // every frame's pts, in presentation order
};

}  // namespace media::detail
