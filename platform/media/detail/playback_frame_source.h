// The pictures of a player: one video stream decoded in presentation order, positioned by seeks with
// tolerances and by steps through the frame times its packets give. The last frames decoded in a row are kept
// (as decoded, within a memory budget), so that stepping back through them needs no new decoding from the key
// frame. Used by the decode thread alone.
#pragma once

#include "platform/gfx/image.h"
#include "platform/media/asset.h"
#include "platform/media/detail/frame_converter.h"
#include "platform/media/detail/playback_frame_times.h"
#include "platform/media/detail/video_decoder.h"
#include "platform/media/time.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

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
    // The frame with exactly that pts (the one holding it when the decoded frames disagree with the packets).
    std::optional<PlaybackFrame> frameAt(std::int64_t pts);
    // The frame after the last one handed out; nullopt at the end of the stream or when it stops decoding.
    std::optional<PlaybackFrame> next();

    std::int64_t ticksOf(const Time& t, Rounding rounding) const;

private:
    PlaybackFrameSource(const Asset& asset, std::unique_ptr<VideoDecoder> decoder);
    std::optional<PlaybackFrame> make(const AVFrame* frame);
    // Hands out a frame of the run.
    std::optional<PlaybackFrame> serve(std::size_t position);
    // Appends a frame decoded right after the run's last one (or starts a new run when `restart`).
    void remember(const AVFrame* frame, bool restart);
    // Whether the decoder stands on the run's last frame, so that decoding on extends the run.
    bool decoderAtRunEnd() const;

    std::unique_ptr<VideoDecoder> decoder_;
    PlaybackFrameTimes frameTimes_;
    FrameConverter converter_;
    AVRational timeBase_;
    Time origin_;
    int width_;
    int height_;
    // Frames decoded one after another, in presentation order, oldest first.
    std::deque<FramePtr> run_;
    std::size_t runLength_ = 0;  // how many frames the budget allows; set by the first frame
    std::optional<std::int64_t> handedOut_;  // the pts of the last frame handed out
};

}  // namespace media::detail
