#include "platform/media/asset.h"

#include "platform/media/detail/decoder_pool.h"
#include "platform/media/detail/ffmpeg.h"
#include "platform/media/detail/tolerance.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <system_error>

namespace media {

namespace {

MediaType mediaTypeOf(AVMediaType type)
{
    switch (type) {
    case AVMEDIA_TYPE_VIDEO:
        return MediaType::video;
    case AVMEDIA_TYPE_AUDIO:
        return MediaType::audio;
    case AVMEDIA_TYPE_SUBTITLE:
        return MediaType::subtitle;
    default:
        return MediaType::other;
    }
}

bool validRational(AVRational r) { return r.num > 0 && r.den > 0; }

// Why FFmpeg could not open a file, from its error code: the system's reason when it is one, else that the
// file is no movie it knows.
std::string openingProblem(int error)
{
    // FFmpeg's own codes lie far below the negated system error numbers.
    if (error < 0 && error > -4096) return std::system_category().message(-error);
    return "not a movie";
}

gfx::AffineTransform transformOf(const AVStream* stream)
{
    std::size_t size = 0;
    const std::uint8_t* data = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
    if (!data || size < 9 * sizeof(std::int32_t)) return gfx::AffineTransform::identity();
    std::int32_t m[9];
    std::memcpy(m, data, sizeof m);
    return {m[0] / 65536.0, m[1] / 65536.0, m[3] / 65536.0, m[4] / 65536.0, m[6] / 65536.0, m[7] / 65536.0};
}

gfx::Size naturalSizeOf(const AVStream* stream)
{
    const AVCodecParameters* parameters = stream->codecpar;
    if (parameters->codec_type != AVMEDIA_TYPE_VIDEO) return {};
    return {parameters->width * detail::sampleAspect(stream), double(parameters->height)};
}

// Whether a decoder of the (non-video) stream yields a frame from the start of the file.
bool decodesAFrame(AVFormatContext* format, int streamIndex)
{
    AVStream* stream = format->streams[streamIndex];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return false;
    detail::CodecContextPtr context(avcodec_alloc_context3(codec));
    detail::PacketPtr packet(av_packet_alloc());
    detail::FramePtr frame(av_frame_alloc());
    if (!context || !packet || !frame || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0 ||
        avcodec_open2(context.get(), codec, nullptr) < 0)
        return false;
    for (int packets = 0; packets < 1000 && av_read_frame(format, packet.get()) >= 0; ++packets) {
        bool ours = packet->stream_index == streamIndex;
        if (ours) avcodec_send_packet(context.get(), packet.get());
        av_packet_unref(packet.get());
        if (ours && avcodec_receive_frame(context.get(), frame.get()) == 0) return true;
    }
    avcodec_send_packet(context.get(), nullptr);
    return avcodec_receive_frame(context.get(), frame.get()) == 0;
}

// The movie's video stream opened: its first decoder, past its first frame, and the pool of the decoders of
// later grabs, null when its first frame cannot be decoded; and the time zero it sets.
struct FirstVideo {
    std::unique_ptr<detail::VideoDecoder> decoder;
    std::unique_ptr<detail::DecoderPool> pool;
    Time origin = Time::zero();
};

// Opens the video stream `index` of the file the probe opened and decodes its first frame. The decoder takes the
// container over when it opens; it keeps it, even when no frame decodes, for as long as it lives. Time zero is the
// start the container states (the first packet's time), else the first frame's, never a later frame's when the
// first ones are damaged; where the data begins inside a group of pictures, it is the first key frame's, when
// that decodes whole.
FirstVideo openFirstVideo(const std::string& path, detail::FormatContextPtr& format, int index)
{
    FirstVideo video;
    const AVStream* stream = format->streams[index];
    const std::int64_t stated = stream->start_time;
    const AVCodecParameters* parameters = stream->codecpar;
    video.decoder = detail::VideoDecoder::open(format, index, stated != AV_NOPTS_VALUE ? stated : 0,
                                               detail::decoderThreads(parameters->width, parameters->height));
    const AVFrame* frame = video.decoder ? video.decoder->firstFrame() : nullptr;
    if (!frame) return video;
    const std::optional<std::int64_t> cut = video.decoder->startAfterCut();
    const std::int64_t first = std::min(frame->pts, video.decoder->reorderedStart().value_or(frame->pts));
    const std::int64_t start = cut ? *cut : stated != AV_NOPTS_VALUE ? std::min(stated, first) : first;
    video.origin = detail::timeFromTicks(start, stream->time_base);
    video.decoder->setFirstPts(start);
    video.pool = std::make_unique<detail::DecoderPool>(path, index, stream->time_base, start, parameters->width,
                                                       parameters->height);
    return video;
}

// The stream's time range on the asset's time line (zero at origin); indefinite length when unstated.
TimeRange timeRangeOf(const AVStream* stream, Time origin)
{
    Time start = stream->start_time != AV_NOPTS_VALUE
                     ? subtract(detail::timeFromTicks(stream->start_time, stream->time_base), origin)
                     : Time::zero();
    Time length = stream->duration != AV_NOPTS_VALUE && stream->duration > 0
                      ? detail::timeFromTicks(stream->duration, stream->time_base)
                      : Time::indefinite();
    return {start, length};
}

// What a track tells of the stream `index`; `playable` says whether it can be decoded.
TrackInfo trackInfoOf(const AVStream* stream, int index, Time origin, bool playable)
{
    const AVCodecParameters* parameters = stream->codecpar;
    TrackInfo info;
    info.trackID = index + 1;
    info.streamIndex = index;
    info.mediaType = mediaTypeOf(parameters->codec_type);
    info.naturalSize = naturalSizeOf(stream);
    info.preferredTransform = transformOf(stream);
    AVRational rate = validRational(stream->avg_frame_rate) ? stream->avg_frame_rate : stream->r_frame_rate;
    info.nominalFrameRate = validRational(rate) ? float(av_q2d(rate)) : 0.0f;
    if (validRational(stream->r_frame_rate))
        info.minFrameDuration = Time::make(stream->r_frame_rate.den, stream->r_frame_rate.num);
    info.timeRange = timeRangeOf(stream, origin);
    const AVCodecDescriptor* codec = avcodec_descriptor_get(parameters->codec_id);
    info.formatDescription = {info.mediaType, codec ? codec->name : "", parameters->width, parameters->height};
    info.playable = playable;
    return info;
}

// Whether a movie without video plays: one of its sound tracks yields a frame.
bool playsSound(AVFormatContext* format, const std::vector<TrackRef>& tracks)
{
    for (const TrackRef& track : tracks)
        if (track->mediaType() == MediaType::audio && decodesAFrame(format, track->streamIndex())) return true;
    return false;
}

// The longest track's end, else the container's own duration, else indefinite.
Time durationOf(const AVFormatContext* format, const std::vector<TrackRef>& tracks, Time origin)
{
    Time end = Time::invalid();
    for (const TrackRef& track : tracks) {
        TimeRange range = track->timeRange();
        if (range.duration.isNumeric()) end = end.isValid() ? maximum(end, range.end()) : range.end();
    }
    if (!end.isValid() && format->duration != AV_NOPTS_VALUE && format->duration > 0) {
        std::int64_t start = format->start_time != AV_NOPTS_VALUE ? format->start_time : 0;
        end = subtract(Time::make(start + format->duration, AV_TIME_BASE), origin);
    }
    return end.isValid() ? end : Time::indefinite();
}

}  // namespace

struct Asset::Probe {
    Time duration = Time::invalid();
    Time origin = Time::zero();
    bool readable = false;
    bool playable = false;
    std::string problem;
    // The file as it was when probed; none when it could not be asked.
    std::optional<struct stat> file;
    std::vector<TrackRef> tracks;
    TrackRef videoTrack;
    std::unique_ptr<detail::DecoderPool> pool;

    Probe() = default;
    // The probe of the movie at `path`, open in `opened`; its first video decoder takes the container over.
    Probe(const std::string& path, detail::FormatContextPtr opened);

    // The time of the last frame that decodes where the video's data stops before its stated end; the movie then
    // ends with that frame.
    Time shortLastFrame = Time::invalid();
    void endAtShortData(detail::VideoDecoder& decoder);
};

void Asset::Probe::endAtShortData(detail::VideoDecoder& decoder)
{
    const AVFrame* last = decoder.lastFrameOfShortData();
    if (!last) return;
    const AVRational base = decoder.stream()->time_base;
    shortLastFrame = subtract(detail::timeFromTicks(last->pts, base), origin);
    const Time end = subtract(detail::timeFromTicks(last->pts + decoder.durationOf(last), base), origin);
    if (!duration.isNumeric() || compare(end, duration) < 0) duration = end;
}

std::shared_ptr<Asset> Asset::create(const core::Url& url, AssetOptions) { return core::make<Asset>(url); }

Asset::Asset(core::Url url) : url_(std::move(url)) {}

Asset::~Asset() = default;

const Asset::Probe& Asset::probe() const
{
    std::call_once(probed_, [this] {
        // Taken before reading, so that a file replaced while it is probed counts as changed.
        struct stat status {};
        const bool stated = url_.isFileURL() && ::stat(url_.path().c_str(), &status) == 0;
        int error = 0;
        auto format = url_.isFileURL() ? detail::openInput(url_.path(), &error) : nullptr;
        const bool opened = format != nullptr;
        const bool text = opened && detail::isTextFormat(format->iformat);
        const bool movie = opened && detail::isMovieFormat(format->iformat);
        probe_ = movie ? std::make_unique<Probe>(url_.path(), std::move(format)) : std::make_unique<Probe>();
        if (!url_.isFileURL())
            probe_->problem = "not a file";
        else if (!opened)
            probe_->problem = openingProblem(error);
        else if (!movie)
            probe_->problem = text ? "text, not a movie" : "a still image, not a movie";
        if (stated) probe_->file = status;
    });
    return *probe_;
}

Asset::Probe::Probe(const std::string& path, detail::FormatContextPtr opened)
{
    // The movie counts in the share of decoder threads from its first decoder on; its pool then does.
    const detail::DecodingMovie joining;
    // Whoever holds the container, the probe or its first decoder, keeps it open to the probe's end.
    AVFormatContext* const format = opened.get();
    // Reading may find streams the container did not list up front (transport streams): the probe lists those
    // it found.
    const unsigned streamCount = format->nb_streams;
    const int videoIndex = detail::movieVideoStream(format);
    FirstVideo video;
    if (videoIndex >= 0)
        video = openFirstVideo(path, opened, videoIndex);
    else if (format->start_time != AV_NOPTS_VALUE)
        video.origin = Time::make(format->start_time, AV_TIME_BASE);
    origin = video.origin;
    pool = std::move(video.pool);

    for (unsigned i = 0; i < streamCount; ++i) {
        const AVStream* stream = format->streams[i];
        if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) continue;
        const bool decodable =
            int(i) == videoIndex ? pool != nullptr : avcodec_find_decoder(stream->codecpar->codec_id) != nullptr;
        tracks.push_back(core::make<Track>(trackInfoOf(stream, int(i), origin, decodable)));
        if (int(i) == videoIndex) videoTrack = tracks.back();
    }

    readable = !tracks.empty();
    if (readable) {
        playable = videoIndex >= 0 ? pool != nullptr : playsSound(format, tracks);
        duration = durationOf(format, tracks, origin);
    }
    if (!readable)
        problem = "no track that can be read";
    else if (!playable)
        problem = videoIndex >= 0 ? "its video cannot be decoded" : "no video track, and no sound that plays";
    if (video.decoder && pool) endAtShortData(*video.decoder);
    if (video.decoder && pool) {
        auto pooled = std::make_unique<detail::PooledDecoder>();
        pooled->decoder = std::move(video.decoder);
        pool->give(std::move(pooled));
    }
}

Time Asset::duration() const { return probe().duration; }

bool Asset::isReadable() const { return probe().readable; }

bool Asset::isPlayable() const { return probe().playable; }

std::string Asset::problem() const { return probe().problem; }

bool Asset::fileChanged() const
{
    const auto& then = probe().file;
    struct stat now {};
    // A file that could not be asked about when probed cannot be compared.
    if (!then) return false;
    if (::stat(url_.path().c_str(), &now) != 0) return true;
    return now.st_dev != then->st_dev || now.st_ino != then->st_ino || now.st_size != then->st_size ||
           now.st_mtim.tv_sec != then->st_mtim.tv_sec || now.st_mtim.tv_nsec != then->st_mtim.tv_nsec;
}

std::vector<TrackRef> Asset::tracks() const { return probe().tracks; }

std::vector<TrackRef> Asset::tracks(MediaType type) const
{
    std::vector<TrackRef> found;
    for (const TrackRef& track : probe().tracks)
        if (track->mediaType() == type) found.push_back(track);
    return found;
}

TrackRef Asset::videoTrack() const { return probe().videoTrack; }

Time Asset::lastFrameTime() const
{
    std::call_once(lastFrameFound_, [this] {
        if (probe().shortLastFrame.isValid()) {
            lastFrameTime_ = probe().shortLastFrame;
            return;
        }
        detail::DecoderPool* pool = videoDecoders();
        if (!pool) return;
        detail::PoolLease lease(*pool, detail::farFuture);
        const AVFrame* frame = lease.get() ? lease.get()->decoder->lastFrame() : nullptr;
        if (frame) lastFrameTime_ = subtract(detail::timeFromTicks(frame->pts, pool->timeBase()), timeOrigin());
    });
    return lastFrameTime_;
}

Time Asset::timeOrigin() const { return probe().origin; }

detail::DecoderPool* Asset::videoDecoders() const { return probe().pool.get(); }

void Asset::keepIdleDecodersOnlyWhileHeld() const
{
    if (detail::DecoderPool* pool = videoDecoders()) pool->keepOnlyWhileHeld();
}

std::shared_ptr<void> Asset::holdIdleDecoders(const std::shared_ptr<const Asset>& asset)
{
    detail::DecoderPool* pool = asset ? asset->videoDecoders() : nullptr;
    if (!pool) return nullptr;
    pool->hold();
    // The hold keeps the asset, and with it the pool, until it goes.
    return std::shared_ptr<void>(pool, [asset](void* held) { static_cast<detail::DecoderPool*>(held)->unhold(); });
}

std::string Asset::description() const { return "Asset(" + url_.absoluteString() + ")"; }

}  // namespace media
