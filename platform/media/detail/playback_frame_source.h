// The pictures of a player: one video stream decoded in presentation order, positioned by seeks with
// tolerances and by steps through the frame times its packets give. The last frames decoded in a row are kept
// (as decoded, within a memory budget): a seek keeps some before the frame it lands on, and while the user steps
// back, the frames before those kept are decoded ahead of need, so that stepping back seldom waits for decoding
// from the key frame. Used by the decode thread alone.
#pragma once

#include "platform/gfx/image.h"
#include "platform/media/asset.h"
#include "platform/media/detail/frame_converter.h"
#include "platform/media/detail/playback_frame_times.h"
#include "platform/media/detail/tolerance.h"
#include "platform/media/detail/video_decoder.h"
#include "platform/media/time.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace media::detail {

class DecoderPool;

// A decoded picture: its pts in stream ticks, its time on the asset's timeline and its image.
struct PlaybackFrame {
    std::int64_t pts = 0;
    Time time = Time::zero();
    gfx::ImageRef image;
    // The last frame that decodes, landed on by a seek at or past it.
    bool last = false;
};

class PlaybackFrameSource {
public:
    // Null when the asset holds no video that decodes.
    static std::unique_ptr<PlaybackFrameSource> open(const Asset& asset);

    // The frame a seek lands on: the frame holding t with zero tolerances, the key frame at or before it with
    // an infinite tolerance before, else the first frame within [t − before, t + after]. At or past the last
    // frame that decodes (also where a movie cut short has no data left), that last frame.
    std::optional<PlaybackFrame> seek(const Time& t, const Time& before, const Time& after);
    // The pts `count` frames away from the frame at `fromPts`, clamped to the first and last frame.
    std::int64_t stepTarget(std::int64_t fromPts, int count);
    // The frame with exactly that pts (the one holding it when the decoded frames disagree with the packets).
    std::optional<PlaybackFrame> frameAt(std::int64_t pts);
    // The frame after the last one handed out; nullopt at the end of the stream or when it stops decoding.
    std::optional<PlaybackFrame> next();

    // Whether the user is stepping back towards the first of the frames kept, with earlier frames to decode.
    bool wantsEarlierFrames() const;
    // Decodes frames before the first one kept, on a decoder of its own (the one the run comes from stays where
    // it stands), and keeps them in front; gives up when `stop` says so.
    void decodeEarlier(const std::function<bool()>& stop);
    // Closes its decoders to give back the pictures they hold; the frames kept stay. The next frame to decode
    // opens a decoder again, which finds its place by a seek.
    void closeDecoders();
    // Whether a decoder is open (for observation).
    bool holdsDecoders() const { return decoder_ || behind_; }

    std::int64_t ticksOf(const Time& t, Rounding rounding) const;

private:
    using Run = std::deque<FramePtr>;

    PlaybackFrameSource(const Asset& asset, DecoderPool& pool, std::unique_ptr<VideoDecoder> decoder);
    std::optional<PlaybackFrame> make(const AVFrame* frame);
    // Hands out a frame of the run.
    std::optional<PlaybackFrame> serve(std::size_t position);
    // Hands out a frame of the run that a seek or step landed on.
    std::optional<PlaybackFrame> land(std::size_t position);
    // Appends a frame decoded right after the run's last one (or starts a new run when `restart`).
    void remember(const AVFrame* frame, bool restart);
    // The frame the window asks for, last, after up to `before` frames decoded in a row before it. Empty when
    // that frame does not decode or `stop` gave up.
    static Run decodeStretch(VideoDecoder& decoder, const FrameWindow& window, bool seekFirst, std::size_t before,
                             std::int64_t frameTicks, const std::function<bool()>& stop = {});
    // The position in the run of the frame holding pts, when the run reaches past it.
    std::optional<std::size_t> holderInRun(std::int64_t pts) const;
    // Whether the decoder stands on the run's last frame, so that decoding on extends the run.
    bool decoderAtRunEnd() const;
    // The stream's nominal frame duration in ticks.
    static std::int64_t nominalFrameTicks(const VideoDecoder& decoder);
    // The decoder that gives the run's frames, opened again when it was closed; null when it cannot be.
    VideoDecoder* decoder();

    const Asset& asset_;
    DecoderPool& pool_;
    std::unique_ptr<VideoDecoder> decoder_;
    std::unique_ptr<VideoDecoder> behind_;  // decodes the frames before the run, opened when first needed
    PlaybackFrameTimes frameTimes_;
    FrameConverter converter_;
    AVRational timeBase_;
    Time origin_;
    std::int64_t firstPts_;
    int width_;
    int height_;
    const std::int64_t frameTicks_;
    // Frames decoded one after another, in presentation order, oldest first.
    Run run_;
    std::size_t runLength_;                     // how many frames the budget allows
    std::optional<std::int64_t> handedOut_;     // the pts of the last frame handed out
    std::optional<std::int64_t> landed_;        // the pts of the last frame a seek or step landed on
    bool steppingBack_ = false;                 // the last step went backwards
    std::optional<std::int64_t> earlierTried_;  // the first kept frame before which decoding found nothing
};

}  // namespace media::detail
