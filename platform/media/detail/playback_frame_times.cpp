#include "platform/media/detail/playback_frame_times.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace media::detail {

namespace {

// Packets read in a row past the wanted times before a stream without decoding times counts as known there:
// more than any reordering of frames puts between a frame's packet and its place on screen.
constexpr int reorderMargin = 16;
// How many key frames a backward step goes back at most.
constexpr int maximumRounds = 64;
constexpr std::int64_t farBack = std::numeric_limits<std::int64_t>::min() / 4;

// A packet's display time, else its decoding time. Some program streams store a time for only a few of their
// packets (one per block of many frames): a packet without any is decoded one frame after the packet before it,
// and shown as long after that as the last packet that had both times.
class PacketTimes {
public:
    explicit PacketTimes(const AVStream* stream)
    {
        const AVRational rate = stream->r_frame_rate;
        if (rate.num > 0 && rate.den > 0)
            frameTicks_ = std::max<std::int64_t>(1, av_rescale_q(1, av_inv_q(rate), stream->time_base));
    }

    std::int64_t timeOf(const AVPacket* packet)
    {
        std::int64_t dts = packet->dts;
        if (dts == AV_NOPTS_VALUE) dts = nextDts_;
        if (dts != AV_NOPTS_VALUE) nextDts_ = sum(dts, packet->duration > 0 ? packet->duration : frameTicks_);
        if (packet->pts != AV_NOPTS_VALUE && packet->dts != AV_NOPTS_VALUE) delay_ = sum(packet->pts, -packet->dts);
        if (packet->pts != AV_NOPTS_VALUE || packet->dts != AV_NOPTS_VALUE)
            return packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        return dts != AV_NOPTS_VALUE && delay_ != AV_NOPTS_VALUE ? sum(dts, delay_) : AV_NOPTS_VALUE;
    }

private:
    // a + b, or none when that overflows (times of a damaged file may lie anywhere).
    static std::int64_t sum(std::int64_t a, std::int64_t b)
    {
        std::int64_t result = 0;
        return __builtin_add_overflow(a, b, &result) ? AV_NOPTS_VALUE : result;
    }

    std::int64_t frameTicks_ = 1;
    std::int64_t nextDts_ = AV_NOPTS_VALUE;
    std::int64_t delay_ = AV_NOPTS_VALUE;
};

}  // namespace

std::int64_t PlaybackFrameTimes::streamStart() const
{
    if (firstPts_ != AV_NOPTS_VALUE) return firstPts_;
    const AVStream* stream = reader_->stream();
    return stream->start_time != AV_NOPTS_VALUE ? stream->start_time : farBack;
}

std::optional<std::int64_t> PlaybackFrameTimes::scan(std::int64_t start, std::int64_t until, int after,
                                                     Stretch& stretch)
{
    std::set<std::int64_t>& times = stretch.times;
    bool& reachedEnd = stretch.reachedEnd;
    AVStream* stream = reader_->stream();
    if (!reader_->seek(start, streamStart())) return std::nullopt;
    std::optional<std::int64_t> earliest;
    int pastBound = 0;
    reachedEnd = false;
    PacketTimes packetTimes(stream);
    for (;;) {
        if (!reader_->read(packet_.get())) {
            reachedEnd = true;
            break;
        }
        bool ours = !(packet_->flags & AV_PKT_FLAG_DISCARD);
        std::int64_t pts = packetTimes.timeOf(packet_.get());
        std::int64_t dts = packet_->dts;
        av_packet_unref(packet_.get());
        if (!ours || pts == AV_NOPTS_VALUE || (firstPts_ != AV_NOPTS_VALUE && pts < firstPts_)) continue;
        times.insert(pts);
        earliest = earliest ? std::min(*earliest, pts) : pts;

        // Every later packet shows at or after its decoding time, so once that passes the last time wanted,
        // the times up to it are all known.
        std::int64_t bound = until;
        if (after > 0) {
            auto beyond = times.upper_bound(until);
            if (std::distance(beyond, times.end()) < after) continue;
            bound = *std::next(beyond, after - 1);
        }
        stretch.knownUpTo = bound;
        if (dts != AV_NOPTS_VALUE && dts > bound) break;
        pastBound = pts > bound ? pastBound + 1 : 0;
        if (pastBound >= reorderMargin) break;
    }
    return earliest;
}

std::optional<std::int64_t> PlaybackFrameTimes::stepWithin(const Stretch& stretch, std::int64_t from, int count) const
{
    const std::set<std::int64_t>& times = stretch.times;
    if (times.empty() || from < *times.begin() || (!stretch.reachedEnd && from > stretch.knownUpTo))
        return std::nullopt;
    const std::int64_t position = std::distance(times.begin(), times.upper_bound(from)) - 1 + std::int64_t(count);
    if (position < 0) return std::nullopt;
    if (position >= std::int64_t(times.size()))
        return stretch.reachedEnd ? std::optional(*times.rbegin()) : std::nullopt;
    const std::int64_t time = *std::next(times.begin(), position);
    if (!stretch.reachedEnd && time > stretch.knownUpTo) return std::nullopt;
    return time;
}

std::optional<std::int64_t> PlaybackFrameTimes::step(std::int64_t from, int count)
{
    if (!opened_) {
        opened_ = true;
        reader_ = PacketReader::open(path_, streamIndex_);
        packet_.reset(av_packet_alloc());
    }
    if (!reader_ || !packet_) return std::nullopt;

    if (std::optional<std::int64_t> known = stepWithin(last_, from, count)) return known;
    // Back a key frame at a time until the frame at `from` and enough frames before it are known, or the stream
    // starts. A seek that lands on the same key frame again (containers seek by decoding time) goes back further.
    Stretch stretch;
    std::set<std::int64_t>& times = stretch.times;
    auto framesUpTo = [&] { return std::distance(times.begin(), times.upper_bound(from)); };
    int before = count < 0 ? -count : 0;
    int after = count > 0 ? count : 0;
    AVStream* stream = reader_->stream();
    const std::int64_t streamStart = this->streamStart();
    std::int64_t backoff = stream->time_base.num > 0 ? std::max(1, stream->time_base.den / stream->time_base.num) : 1;
    std::int64_t start = from;
    std::optional<std::int64_t> reached;
    for (int round = 0; round < maximumRounds; ++round) {
        std::optional<std::int64_t> earliest = scan(start, from, after, stretch);
        if (!earliest || framesUpTo() > before) break;
        bool progressed = !reached || *earliest < *reached;
        if (!progressed && start <= streamStart) break;
        if (progressed) {
            reached = earliest;
            start = std::min(start, *reached) - 1;
        } else {
            start -= backoff;
            backoff *= 2;
        }
        start = std::max(start, farBack);
    }
    if (times.empty()) return std::nullopt;
    std::int64_t position = std::int64_t(framesUpTo()) - 1 + count;
    position = std::clamp<std::int64_t>(position, 0, std::int64_t(times.size()) - 1);
    const std::int64_t answer = *std::next(times.begin(), position);
    last_ = std::move(stretch);
    return answer;
}

}  // namespace media::detail
