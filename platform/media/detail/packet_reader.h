// The packets of one video stream of a movie file, in decoding order, positioned by seeks that always start at a
// real key frame at or before the time asked for, whatever the container: with an index, without one (transport
// and program streams are searched by decoding time and land anywhere), or with one it fills in lazily. It keeps
// the key frames it learns of, so that its owner can tell a short way forward from one that pays a seek. Serves
// one thread at a time.
#pragma once

#include "platform/media/detail/ffmpeg.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace media::detail {

class PacketReader {
public:
    // Null when the file cannot be read or the stream is not a video stream. Reading starts at the stream's
    // first key frame.
    static std::unique_ptr<PacketReader> open(const std::string& path, int streamIndex);
    // The same on a file opened already: the reader takes the container over when it opens; when it does not,
    // the container stays the caller's.
    static std::unique_ptr<PacketReader> open(FormatContextPtr& format, int streamIndex);
    // Gives the container back to whoever opened it, leaving the reader unusable.
    FormatContextPtr releaseFormat() { return std::move(format_); }

    AVStream* stream() const { return format_->streams[streamIndex_]; }

    // Where a seek left the reader: on the key frame at `keyTime`, the last one at or before the time asked for,
    // or at the stream's start when no key frame lies at or before it.
    struct Landing {
        std::int64_t keyTime = 0;
        bool atStart = false;
    };
    // Positions the reader on the last key frame whose time is at or before `target`; times before `startTime`
    // (the stream's first frame) go to the start. Nullopt when the stream cannot be read from anywhere.
    std::optional<Landing> seek(std::int64_t target, std::int64_t startTime);

    // The next packet of the stream in decoding order; false at the end of the file.
    bool read(AVPacket* packet);

    // The latest key frame at or before t among those known: the container's index when it lists real key frames,
    // and every key frame read so far.
    std::optional<std::int64_t> keyFrameAtOrBefore(std::int64_t t) const;
    // Whether every key frame up to t is known, so that none lies unseen between a known one and t.
    bool knowsKeyFramesUpTo(std::int64_t t) const;
    // The key frames of the container's index, in order; empty when it has none it can vouch for.
    std::vector<std::int64_t> indexedKeyFrames() const;
    // Where the stream ends as the container states it, in stream ticks: its own duration after its start (or its
    // length tag), else the file's; none when neither is known.
    std::optional<std::int64_t> statedEnd() const;
    // Transport and program streams state no end of their own (their duration is where their data ends) and
    // store every packet's decoding time.
    bool endsWithItsData() const { return !indexTrusted_; }
    // The container stores decoding times only (AVI): the stream's first key frame carries no display time. The
    // reader then hands out packets without display times, since the demuxer's guesses at them are decoding
    // times of other frames; when frames are shown is the decoder's to tell.
    bool storesDecodingTimesOnly() const { return decodingTimesOnly_; }
    // The data begins inside a group of pictures (a recording cut anywhere): packets come before the stream's
    // first key frame, whose references are not in the file. Reading from the start skips them.
    bool beginsInsideGroup() const { return beginsInsideGroup_; }
    // How many packets, at most, the frame shown next may come after, where a codec of pictures that stand alone
    // (which never reorders them) is stored out of display order: its display times swapped in the container. 0
    // where the stream keeps display order. A seek lands that many packets before its key frame.
    int displayReorder() const { return displayReorder_; }
    // The earliest display time among the stream's first packets: its first frame on screen, where they come out
    // of display order.
    std::optional<std::int64_t> earliestDisplayTime() const { return earliestDisplayTime_; }

private:
    PacketReader() = default;
    // Whether the first packets of the stream carry display times, and whether its first key frame does; leaves
    // the reader at the start.
    struct StoredTimes {
        bool displayTimes = false;
        bool keyDisplayTime = false;
        bool packetsBeforeKey = false;
        int displayReorder = 0;
        std::optional<std::int64_t> earliest;
    };
    StoredTimes storedTimes();
    bool isKey(const AVPacket* packet) const;
    // The next packet of the stream from the demuxer, noting the key frames; false at the end.
    bool demux(AVPacket* packet);
    bool seekToStart();
    bool seekContainer(std::int64_t ts);
    struct Scan {
        bool found = false;
        std::int64_t keyTime = 0;
        std::optional<std::int64_t> earliest;  // the earliest time read
    };
    // Reads on from where the container's seek landed, keeping in the queue the packets from the last key frame
    // at or before the target on; at the start, from the first key frame on when none lies at or before it.
    Scan readAhead(std::int64_t target, bool atStart);

    FormatContextPtr format_;
    int streamIndex_ = -1;
    bool indexTrusted_ = false;
    bool intraOnly_ = false;
    bool decodingTimesOnly_ = false;
    bool beginsInsideGroup_ = false;
    int displayReorder_ = 0;
    std::optional<std::int64_t> earliestDisplayTime_;
    bool keyless_ = false;     // the stream marks no key frames: every packet counts as one
    bool awaitingKey_ = true;  // reading from the start: packets before the first key frame are dropped
    std::deque<PacketPtr> queue_;
    std::set<std::int64_t> keys_;  // key frames read
    // The decoding times read in one go since the last seek: every key frame between them is known.
    std::optional<std::int64_t> readUpTo_;
    std::size_t queuedBytes_ = 0;
};

}  // namespace media::detail
