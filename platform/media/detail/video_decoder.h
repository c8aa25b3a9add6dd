// One video stream of a movie file with a demuxer and a decoder of its own, positioned somewhere in the
// stream: it answers "the frame at this time" by decoding forward from where it stands, or by seeking back
// to a key frame first. It hands out only frames that decoded whole: when the frame asked for is damaged or
// went missing, the answer is none, never a neighbour in its place. Serves one thread at a time.
#pragma once

#include "platform/media/detail/decoder_error_log.h"
#include "platform/media/detail/ffmpeg.h"
#include "platform/media/detail/packet_reader.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace media::detail {

class VideoDecoder {
public:
    // Null when the file, the stream or its decoder cannot be opened. firstPts is the pts of the stream's
    // first frame (earlier requests get that frame); threads 0 lets FFmpeg choose.
    static std::unique_ptr<VideoDecoder> open(const std::string& path, int streamIndex, std::int64_t firstPts,
                                              int threads);
    // The same on a file opened already: the decoder takes the container over when it opens; when it does not,
    // the container stays the caller's.
    static std::unique_ptr<VideoDecoder> open(FormatContextPtr& format, int streamIndex, std::int64_t firstPts,
                                              int threads);

    AVStream* stream() const { return reader_->stream(); }
    AVCodecContext* codec() const { return codec_.get(); }

    // The pts of the frame last handed out, if any.
    std::optional<std::int64_t> position() const;
    // The pts of every key frame the container's index names, in order; empty without an index.
    std::vector<std::int64_t> indexedKeyFrames() const { return reader_->indexedKeyFrames(); }
    // Whether reaching the target by decoding forward costs no more than seeking.
    bool canReachByDecoding(std::int64_t target) const;
    // How far, in stream ticks, a frame may be shown after its decoding time: the codec's reordering delay
    // in frames, plus one.
    std::int64_t reorderTicks() const;
    // How far decoding on costs no more than a seek: two frames per decoding thread.
    std::int64_t restartTicks() const;

    // The frames on the way to a request that its caller keeps: from `from` on, none is left undecoded as a frame
    // no later one needs, and each is handed to `keep` (valid during the call) before the answer. `stop`, when
    // set, is asked after every frame on the way: true gives the request up (no answer).
    struct Trail {
        std::int64_t from;
        std::function<void(const AVFrame*)> keep;
        std::function<bool()> stop;
    };

    // In presentation order, the first frame whose pts lies in [low, high], else the frame whose display
    // interval contains the target (the last one at the end of the stream, the first one before it starts).
    // Decodes forward from the current position when that is cheaper (unless seekFirst), else seeks back to
    // a key frame. Null when that frame does not decode. The frame stays the decoder's, valid until its next call.
    const AVFrame* frameAt(std::int64_t low, std::int64_t target, std::int64_t high, bool seekFirst,
                           const Trail* trail = nullptr);
    // The key frame at or before the target, for a grab that takes the quickest frame: after the seek, the key
    // frame's packet is decoded alone and the decoder drained, so that the picture costs one frame's decoding
    // whatever frame threads would hold back. The decoder then seeks again before it decodes on. When that
    // packet holds no key frame, or gives no whole picture, or one past the target, as frameAt with seekFirst.
    const AVFrame* keyFrameAt(std::int64_t low, std::int64_t target, std::int64_t high);
    // The next frame in presentation order from where the decoder stands; null at the end.
    const AVFrame* nextFrame();
    // The stream's first frame that decodes. Its first key frame is decoded alone, which costs one frame's
    // decoding where frame threads would hold the first picture back until as many frames as threads were
    // decoded; the decoder seeks before it decodes on. When that picture does not decode whole, as nextFrame
    // from the start.
    const AVFrame* firstFrame();
    // After firstFrame, where the data begins inside a group of pictures and the first key frame decoded whole:
    // that frame's time, the stream's start. The pictures before it on screen refer to frames the file lacks.
    std::optional<std::int64_t> startAfterCut() const { return startAfterCut_; }
    // Where the container stores the frames out of display order, the earliest display time of the stream's first
    // packets: its first frame on screen, which need not be its first packet.
    std::optional<std::int64_t> reorderedStart() const
    {
        return reader_->displayReorder() > 0 ? reader_->earliestDisplayTime() : std::nullopt;
    }
    // The last frame of the stream that decodes: from the last key frame before the stream's stated end to the
    // end of the data, else from the key frames before it. Null when none decodes there.
    const AVFrame* lastFrame();
    // Where the data stops short of the stream's stated end (a download that stopped), the last frame that
    // decodes, found by reading the packets from the key frame before the stated end on without decoding them
    // (and decoding the last stretch only when they end early); null where the data holds the whole stream.
    const AVFrame* lastFrameOfShortData();
    // One frame's duration in stream ticks: the frame's own, else the average frame rate's; 0 when unknown.
    std::int64_t durationOf(const AVFrame* frame) const;
    // Whether the frame last handed out is the last one that decodes: the data ended and no frame came after it.
    bool standsOnLastFrame();
    void setFirstPts(std::int64_t pts) { firstPts_ = pts; }

private:
    VideoDecoder() = default;
    bool openCodec(int threads);
    bool seekBefore(std::int64_t target);
    // Seeks before the target and decodes the key frame there alone: its picture, wherever it lies, or null when
    // the packet holds no key frame or no whole picture.
    const AVFrame* decodeKeyFrameAlone(std::int64_t target);
    void takeAhead();
    void aimAt(std::int64_t skipBelow, std::int64_t target);
    bool skippable(std::int64_t pts) const;
    // Whether the frame, the first one decoded from the start, is the stream's first: where the container stores
    // decoding times only, the stream's start is its first decoding time, and its first frame is shown up to the
    // reordering delay later. It answers for the times before it.
    bool startsTheStream(std::int64_t pts) const;
    // One frame's duration in stream ticks by the average frame rate; 0 when unknown.
    std::int64_t frameTicks() const;
    // How many frames' ticks the decoder holds a frame back for reordering: it gives the frame out as it takes
    // the packet that many frames later.
    std::int64_t decoderDelayTicks() const;
    // Decodes the next whole frame in presentation order into ahead_; false at the end or on a broken stream.
    bool decodeAhead();
    // The next whole frame the decoder gives, into ahead_: in presentation order unless the container stores the
    // frames out of it.
    bool decodeNext();
    // Sends the packet to the decoder, noting its pts among those awaited or damaged; the decoder's answer.
    int send(AVPacket* packet);
    std::int64_t ptsOf(const AVFrame* frame) const;
    // Counts the frames sent after the damaged one with that pts, up to the next key frame, as damaged: they are
    // decoded from it.
    void taintFrom(std::int64_t pts);
    // Whether the decoder logged an error since the last time asked.
    bool errorsLogged();
    // Where the decoder decodes one packet at a time, an error it logged damages the packet last sent: its frame,
    // and those decoded from it when it is one that others refer to.
    void noteLoggedErrors();
    // Whether later frames may be decoded from the frame.
    bool isReference(const AVFrame* frame) const;
    // The current frame as the one holding the target: null when a frame after it and at or before the target
    // was damaged or never came out of the decoder, or may lie in the data missing at a short end.
    const AVFrame* holderOf(std::int64_t target) const;
    // At the end of the data, whether it stops short of the stream's end as the container states it (a file cut
    // short, or damage that stops the demuxer), or, in a stream that ends with its data, frames went missing
    // after the current one: the frames whose packets would have come next are missing.
    bool endsShort() const;
    // Every frame shown at or before this time had its packet read since the last seek: the latest decoding
    // time read (a frame is never shown before it is decoded).
    std::int64_t readThrough() const;
    // In a stream that ends with its data, whether a frame shown in (after, upTo] never came in a packet: each
    // decoding time sent stands for a frame shown one reordering delay later (packets lost to damage or a cut).
    bool missingBetween(std::int64_t after, std::int64_t upTo) const;
    // How far the frames are shown after their decoding times: the n-th decoding time sent is the n-th display
    // time (the stretch since a seek starts at a key frame); none before a packet with both times was sent.
    std::optional<std::int64_t> reorderDelay() const;

    std::unique_ptr<PacketReader> reader_;
    // Outlives the decoding context that logs into it.
    std::unique_ptr<DecoderErrorLog> errorLog_;
    std::uint64_t errorsSeen_ = 0;
    CodecContextPtr codec_;
    PacketPtr packet_;
    FramePtr current_;
    FramePtr ahead_;
    bool hasCurrent_ = false;
    bool hasAhead_ = false;
    bool drained_ = false;
    // Standing on a key frame decoded alone, with the decoder drained: only a seek goes on from here.
    bool keyFrameAlone_ = false;
    std::int64_t firstPts_ = 0;
    std::optional<std::int64_t> startAfterCut_;
    std::int64_t lastPts_ = AV_NOPTS_VALUE;
    // The latest decoding and display times among the packets sent since the last seek.
    std::int64_t sentDts_ = AV_NOPTS_VALUE;
    std::int64_t sentPtsMax_ = AV_NOPTS_VALUE;
    // The decoding times sent, and the earliest decoding and display times sent since the last seek.
    std::set<std::int64_t> sentDtsSet_;
    std::int64_t sentDtsMin_ = AV_NOPTS_VALUE;
    std::int64_t sentPtsMin_ = AV_NOPTS_VALUE;
    // When the data ended: frames after the one then current never came in a packet.
    bool framesMissing_ = false;
    // Where the last seek started decoding.
    std::optional<PacketReader::Landing> landing_;
    // While decoding towards a request: frames below skipBelow_ that are no reference and have a later
    // frame at or before target_ already sent are never answers, so the decoder may drop them.
    std::int64_t skipBelow_ = AV_NOPTS_VALUE;
    std::int64_t target_ = AV_NOPTS_VALUE;
    // The packets sent, by pts: their durations (0 when unknown) and their places in the order of sending.
    struct Sent {
        std::int64_t duration;
        std::uint64_t order;
    };
    std::map<std::int64_t, Sent> sentPts_;
    std::uint64_t sendCount_ = 0;
    // The places of the key frames among the packets sent since the last seek.
    std::set<std::uint64_t> keysSent_;
    // A frame that others refer to was damaged and no key frame was sent since: packets sent are damaged.
    bool taintedUntilKey_ = false;
    // The pts of packets sent whose frames have not come out yet, and of frames that came out damaged.
    std::set<std::int64_t> awaited_;
    std::set<std::int64_t> damaged_;
    // The pts of packets whose decoding logged an error, until their frames come out, and of the packet last sent.
    std::set<std::int64_t> reported_;
    std::int64_t lastSentPts_ = AV_NOPTS_VALUE;
    // Frames decoded and not yet handed out, by pts, where the container stores them out of display order.
    std::map<std::int64_t, FramePtr> held_;
    // Field pictures: two packets may make one frame.
    bool interlaced_ = false;
};

}  // namespace media::detail
