#include "platform/media/frame_times.h"

#include "platform/media/detail/ffmpeg.h"
#include "platform/media/detail/packet_reader.h"

#include <algorithm>
#include <cstdint>

namespace media {

std::optional<std::vector<Time>> videoFrameTimes(const Asset& asset)
{
    const TrackRef video = asset.videoTrack();
    if (!video || !asset.isPlayable()) return std::nullopt;
    auto reader = detail::PacketReader::open(asset.path(), video->streamIndex());
    if (!reader) return std::nullopt;
    const AVRational timeBase = reader->stream()->time_base;
    std::vector<std::int64_t> ticks;
    detail::PacketPtr packet(av_packet_alloc());
    if (!packet) return std::nullopt;
    while (reader->read(packet.get())) {
        // Frames an edit list leaves out are no frames of the movie.
        const bool shown = !(packet->flags & AV_PKT_FLAG_DISCARD);
        const std::int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        av_packet_unref(packet.get());
        if (shown && pts != AV_NOPTS_VALUE) ticks.push_back(pts);
    }
    std::sort(ticks.begin(), ticks.end());
    ticks.erase(std::unique(ticks.begin(), ticks.end()), ticks.end());
    const Time origin = asset.timeOrigin();
    std::vector<Time> times;
    times.reserve(ticks.size());
    for (const std::int64_t tick : ticks) {
        const Time time = subtract(detail::timeFromTicks(tick, timeBase), origin);
        // Frames before the first one decoded are not on the timeline.
        if (compare(time, Time::zero()) >= 0) times.push_back(time);
    }
    return times;
}

}  // namespace media
