// One video stream of a movie file with a demuxer and a decoder of its own, positioned somewhere in the
// stream: it answers "the frame at this time" by decoding forward from where it stands, or by seeking back
// to a key frame first. Serves one thread at a time.
#pragma once

#include "platform/media/detail/ffmpeg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#include <set>
#include <string>

namespace media::detail {

class VideoDecoder {
public:
    // Null when the file, the stream or its decoder cannot be opened. firstPts is the pts of the stream's
    // first frame (earlier requests get that frame); threads 0 lets FFmpeg choose.
    static std::unique_ptr<VideoDecoder> open(const std::string& path, int streamIndex, std::int64_t firstPts,
                                              int threads);

    AVStream* stream() const { return format_->streams[streamIndex_]; }
    AVCodecContext* codec() const { return codec_.get(); }

    // The pts of the frame last handed out, if any.
    std::optional<std::int64_t> position() const;
    // The pts of the key frame at or before the target that the container's index names, if it has one.
    std::optional<std::int64_t> indexedKeyFrame(std::int64_t target) const;
    // The pts of every key frame the container's index names, in order; empty without an index.
    std::vector<std::int64_t> indexedKeyFrames() const;
    // Whether reaching the target by decoding forward costs no more than seeking.
    bool canReachByDecoding(std::int64_t target) const;
    // How far, in stream ticks, a frame may be shown after its decoding time: the codec's reordering delay
    // in frames, plus one.
    std::int64_t reorderTicks() const;

    // In presentation order, the first frame whose pts lies in [low, high], else the frame whose display
    // interval contains the target (the last one at the end of the stream, the first one before it starts).
    // Decodes forward from the current position when that is cheaper (unless seekFirst), else seeks back to
    // a key frame. Null when no frame decodes. The frame stays the decoder's, valid until its next call.
    const AVFrame* frameAt(std::int64_t low, std::int64_t target, std::int64_t high, bool seekFirst);
    // The key frame at or before the target, for a grab that takes the quickest frame: after the seek, the key
    // frame's packet is decoded alone and the decoder drained, so that the picture costs one frame's decoding
    // whatever frame threads would hold back. The decoder then seeks again before it decodes on. When that
    // packet holds no key frame, or gives no whole picture, or one past the target, as frameAt with seekFirst.
    const AVFrame* keyFrameAt(std::int64_t low, std::int64_t target, std::int64_t high);
    // The next frame in presentation order from where the decoder stands; null at the end.
    const AVFrame* nextFrame();
    void setFirstPts(std::int64_t pts) { firstPts_ = pts; }

private:
    VideoDecoder() = default;
    bool seekBefore(std::int64_t target);
    const AVFrame* decodeKeyFrameAlone(std::int64_t target);
    void takeAhead();
    void aimAt(std::int64_t skipBelow, std::int64_t target);
    bool skippable(std::int64_t pts) const;
    // Decodes the next frame in presentation order into ahead_; false at the end or on a broken stream.
    bool decodeAhead();
    std::int64_t ptsOf(const AVFrame* frame) const;

    FormatContextPtr format_;
    CodecContextPtr codec_;
    PacketPtr packet_;
    FramePtr current_;
    FramePtr ahead_;
    bool hasCurrent_ = false;
    bool hasAhead_ = false;
    bool drained_ = false;
    // Standing on a key frame decoded alone, with the decoder drained: only a seek goes on from here.
    bool keyFrameAlone_ = false;
    int streamIndex_ = -1;
    std::int64_t firstPts_ = 0;
    std::int64_t lastPts_ = AV_NOPTS_VALUE;
    // While decoding towards a request: frames below skipBelow_ that are no reference and have a later
    // frame at or before target_ already sent are never answers, so the decoder may drop them.
    std::int64_t skipBelow_ = AV_NOPTS_VALUE;
    std::int64_t target_ = AV_NOPTS_VALUE;
    std::set<std::int64_t> sentPts_;
};

}  // namespace media::detail
