#include "platform/media/detail/playback_frame_source.h"

#include "platform/media/detail/decoder_pool.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace media::detail {

namespace {

constexpr std::int64_t farPast = std::numeric_limits<std::int64_t>::min() / 2;
constexpr std::int64_t farFuture = std::numeric_limits<std::int64_t>::max() / 2;

// Tolerances that are not valid, or negative, count as zero.
Time usableTolerance(const Time& t)
{
    if (t.isPositiveInfinity())
        return t;
    if (!t.isNumeric() || compare(t, Time::zero()) < 0)
        return Time::zero();
    return t;
}

// Every frame's pts of the stream, read from its packets alone, sorted into presentation order.
std::vector<std::int64_t> readFrameTimes(const std::string& path, int streamIndex)
{
    std::vector<std::int64_t> times;
    FormatContextPtr format = openInput(path);
    if (!format || streamIndex < 0 || unsigned(streamIndex) >= format->nb_streams)
        return times;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (int(i) != streamIndex)
            format->streams[i]->discard = AVDISCARD_ALL;
    PacketPtr packet(av_packet_alloc());
    if (!packet)
        return times;
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == streamIndex && !(packet->flags & AV_PKT_FLAG_DISCARD)) {
            std::int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (pts != AV_NOPTS_VALUE)
                times.push_back(pts);
        }
        av_packet_unref(packet.get());
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return times;
}

}  // namespace

std::unique_ptr<PlaybackFrameSource> PlaybackFrameSource::open(const Asset& asset)
{
    DecoderPool* pool = asset.videoDecoders();
    if (!pool)
        return nullptr;
    int threads = 0;
    for (const TrackRef& track : asset.tracks(MediaType::video))
        if (track->streamIndex() == pool->streamIndex() && track->naturalSize().width * track->naturalSize().height < 640 * 480)
            threads = 1;
    auto decoder = VideoDecoder::open(asset.path(), pool->streamIndex(), pool->firstPts(), threads);
    if (!decoder)
        return nullptr;
    return std::unique_ptr<PlaybackFrameSource>(new PlaybackFrameSource(asset, std::move(decoder)));
}

PlaybackFrameSource::PlaybackFrameSource(const Asset& asset, std::unique_ptr<VideoDecoder> decoder)
    : path_(asset.path()), decoder_(std::move(decoder)), timeBase_(decoder_->stream()->time_base),
      origin_(asset.timeOrigin()), width_(decoder_->codec()->width), height_(decoder_->codec()->height)
{
    for (const TrackRef& track : asset.tracks(MediaType::video))
        if (track->streamIndex() == decoder_->stream()->index && track->naturalSize().width > 0) {
            width_ = std::max(1, int(std::lround(track->naturalSize().width)));
            height_ = std::max(1, int(std::lround(track->naturalSize().height)));
        }
}

std::int64_t PlaybackFrameSource::ticksOf(const Time& t, Rounding rounding) const
{
    return ticksFromTime(add(t, origin_), timeBase_, rounding);
}

std::optional<PlaybackFrame> PlaybackFrameSource::make(const AVFrame* frame)
{
    if (!frame)
        return std::nullopt;
    gfx::ImageRef image = converter_.convert(frame, width_, height_);
    if (!image)
        return std::nullopt;
    return PlaybackFrame{frame->pts, subtract(timeFromTicks(frame->pts, timeBase_), origin_), std::move(image)};
}

std::optional<PlaybackFrame> PlaybackFrameSource::seek(const Time& t, const Time& before, const Time& after)
{
    Time low = usableTolerance(before), high = usableTolerance(after);
    bool keyFrame = low.isPositiveInfinity();
    std::int64_t target = ticksOf(t, Rounding::towardNegativeInfinity);
    std::int64_t lowTicks = keyFrame ? farPast : ticksOf(subtract(t, low), Rounding::towardPositiveInfinity);
    std::int64_t highTicks =
        high.isPositiveInfinity() ? farFuture : ticksOf(add(t, high), Rounding::towardNegativeInfinity);
    return make(decoder_->frameAt(lowTicks, target, highTicks, keyFrame));
}

const std::vector<std::int64_t>& PlaybackFrameSource::index()
{
    if (!indexed_) {
        index_ = readFrameTimes(path_, decoder_->stream()->index);
        indexed_ = true;
    }
    return index_;
}

std::int64_t PlaybackFrameSource::stepTarget(std::int64_t fromPts, int count)
{
    const std::vector<std::int64_t>& times = index();
    if (times.empty()) {
        // Without an index, nominal frame durations.
        AVRational rate = decoder_->stream()->r_frame_rate;
        std::int64_t frame =
            rate.num > 0 && rate.den > 0 ? av_rescale_q(1, av_inv_q(rate), timeBase_) : 1;
        return fromPts + count * std::max<std::int64_t>(1, frame);
    }
    auto at = std::upper_bound(times.begin(), times.end(), fromPts);
    std::int64_t position = at == times.begin() ? 0 : (at - times.begin()) - 1;
    std::int64_t last = std::int64_t(times.size()) - 1;
    return times[std::size_t(std::clamp<std::int64_t>(position + count, 0, last))];
}

std::optional<PlaybackFrame> PlaybackFrameSource::frameAt(std::int64_t pts)
{
    return make(decoder_->frameAt(pts, pts, pts, false));
}

std::optional<PlaybackFrame> PlaybackFrameSource::next() { return make(decoder_->nextFrame()); }

}  // namespace media::detail
