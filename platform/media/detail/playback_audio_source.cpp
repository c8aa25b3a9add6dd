#include "platform/media/detail/playback_audio_source.h"

#include "platform/media/detail/ffmpeg.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace media::detail {

namespace {

struct SwrFreer {
    void operator()(SwrContext* c) const { swr_free(&c); }
};
struct GraphFreer {
    void operator()(AVFilterGraph* g) const { avfilter_graph_free(&g); }
};

}  // namespace

struct PlaybackAudioSource::Codec {
    FormatContextPtr format;
    CodecContextPtr context;
    PacketPtr packet;
    FramePtr frame;
    std::unique_ptr<SwrContext, SwrFreer> resampler;
    std::unique_ptr<AVFilterGraph, GraphFreer> graph;
    AVFilterContext* source = nullptr;  // owned by the graph
    AVFilterContext* sink = nullptr;
    AVChannelLayout outLayout{};
    int streamIndex = -1;
    Time origin;
    std::optional<Time> target;  // the time of the last seek, until the first frame after it arrives
    bool drained = false;

    ~Codec() { av_channel_layout_uninit(&outLayout); }

    bool buildResampler(int sampleRate)
    {
        SwrContext* raw = nullptr;
        if (swr_alloc_set_opts2(&raw, &outLayout, AV_SAMPLE_FMT_S16, sampleRate, &context->ch_layout,
                                context->sample_fmt, context->sample_rate, 0, nullptr) < 0)
            return false;
        resampler.reset(raw);
        return swr_init(raw) >= 0;
    }
};

std::unique_ptr<PlaybackAudioSource> PlaybackAudioSource::open(const Asset& asset, int sampleRate, int channels)
{
    if (sampleRate <= 0 || channels <= 0 || channels > 8) return nullptr;
    for (const TrackRef& track : asset.tracks(MediaType::audio)) {
        if (!track->isPlayable()) continue;
        auto codec = std::make_unique<Codec>();
        codec->format = openInput(asset.path());
        AVFormatContext* format = codec->format.get();
        int index = track->streamIndex();
        if (!format || index < 0 || unsigned(index) >= format->nb_streams) continue;
        for (unsigned i = 0; i < format->nb_streams; ++i)
            if (int(i) != index) format->streams[i]->discard = AVDISCARD_ALL;
        AVStream* stream = format->streams[index];
        const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
        if (!decoder) continue;
        codec->context.reset(avcodec_alloc_context3(decoder));
        AVCodecContext* context = codec->context.get();
        if (!context || avcodec_parameters_to_context(context, stream->codecpar) < 0) continue;
        context->pkt_timebase = stream->time_base;
        if (avcodec_open2(context, decoder, nullptr) < 0 || context->ch_layout.nb_channels <= 0 ||
            context->sample_rate <= 0)
            continue;
        codec->packet.reset(av_packet_alloc());
        codec->frame.reset(av_frame_alloc());
        if (!codec->packet || !codec->frame) continue;
        av_channel_layout_default(&codec->outLayout, channels);
        codec->streamIndex = index;
        codec->origin = asset.timeOrigin();
        if (!codec->buildResampler(sampleRate)) continue;
        std::unique_ptr<PlaybackAudioSource> source(new PlaybackAudioSource(std::move(codec)));
        source->sampleRate_ = sampleRate;
        source->channels_ = channels;
        return source;
    }
    return nullptr;
}

PlaybackAudioSource::PlaybackAudioSource(std::unique_ptr<Codec> codec) : codec_(std::move(codec)) {}

PlaybackAudioSource::~PlaybackAudioSource() = default;

void PlaybackAudioSource::seek(const Time& time)
{
    Codec& c = *codec_;
    AVStream* stream = c.format->streams[c.streamIndex];
    Time t = time.isNumeric() && compare(time, Time::zero()) > 0 ? time : Time::zero();
    std::int64_t ticks = ticksFromTime(add(t, c.origin), stream->time_base, Rounding::towardNegativeInfinity);
    if (av_seek_frame(c.format.get(), c.streamIndex, ticks, AVSEEK_FLAG_BACKWARD) < 0)
        av_seek_frame(c.format.get(), -1, 0, AVSEEK_FLAG_BYTE);
    avcodec_flush_buffers(c.context.get());
    c.buildResampler(sampleRate_);
    c.target = t;
    c.drained = false;
    skipFrames_ = 0;
    ended_ = false;
    if (tempo_ != 1) buildTempo();
}

void PlaybackAudioSource::setTempo(double tempo)
{
    tempo = std::isfinite(tempo) ? std::clamp(tempo, 0.5, 2.0) : 1.0;
    if (tempo == tempo_) return;
    tempo_ = tempo;
    if (tempo_ != 1)
        buildTempo();
    else
        codec_->graph.reset();
}

bool PlaybackAudioSource::buildTempo()
{
    Codec& c = *codec_;
    c.graph.reset(avfilter_graph_alloc());
    c.source = c.sink = nullptr;
    if (!c.graph) return false;
    char layout[64] = {};
    av_channel_layout_describe(&c.outLayout, layout, sizeof layout);
    std::string sourceArgs = "sample_rate=" + std::to_string(sampleRate_) + ":sample_fmt=s16:channel_layout=" + layout +
                             ":time_base=1/" + std::to_string(sampleRate_);
    std::string tempoArgs = "tempo=" + std::to_string(tempo_);
    AVFilterContext* stretcher = nullptr;
    AVFilterContext* formatter = nullptr;
    AVFilterGraph* graph = c.graph.get();
    bool built = avfilter_graph_create_filter(&c.source, avfilter_get_by_name("abuffer"), "in", sourceArgs.c_str(),
                                              nullptr, graph) >= 0 &&
                 avfilter_graph_create_filter(&stretcher, avfilter_get_by_name("atempo"), "tempo", tempoArgs.c_str(),
                                              nullptr, graph) >= 0 &&
                 avfilter_graph_create_filter(&formatter, avfilter_get_by_name("aformat"), "format", "sample_fmts=s16",
                                              nullptr, graph) >= 0 &&
                 avfilter_graph_create_filter(&c.sink, avfilter_get_by_name("abuffersink"), "out", nullptr, nullptr,
                                              graph) >= 0 &&
                 avfilter_link(c.source, 0, stretcher, 0) >= 0 && avfilter_link(stretcher, 0, formatter, 0) >= 0 &&
                 avfilter_link(formatter, 0, c.sink, 0) >= 0 && avfilter_graph_config(graph, nullptr) >= 0;
    if (!built) {
        // Without the stretcher the sound plays at its own speed rather than not at all.
        c.graph.reset();
        c.source = c.sink = nullptr;
    }
    return built;
}

void PlaybackAudioSource::stretch(const std::int16_t* samples, int frames, std::vector<std::int16_t>& out)
{
    Codec& c = *codec_;
    if (!c.graph) {
        out.insert(out.end(), samples, samples + std::size_t(frames) * std::size_t(channels_));
        return;
    }
    if (samples) {
        FramePtr input(av_frame_alloc());
        if (!input) return;
        input->format = AV_SAMPLE_FMT_S16;
        input->sample_rate = sampleRate_;
        input->nb_samples = frames;
        if (av_channel_layout_copy(&input->ch_layout, &c.outLayout) < 0 || av_frame_get_buffer(input.get(), 0) < 0)
            return;
        std::copy(samples, samples + std::size_t(frames) * std::size_t(channels_),
                  reinterpret_cast<std::int16_t*>(input->data[0]));
        if (av_buffersrc_add_frame(c.source, input.get()) < 0) return;
    } else if (av_buffersrc_add_frame(c.source, nullptr) < 0) {
        return;
    }
    FramePtr output(av_frame_alloc());
    while (output && av_buffersink_get_frame(c.sink, output.get()) >= 0) {
        auto* data = reinterpret_cast<const std::int16_t*>(output->data[0]);
        out.insert(out.end(), data, data + std::size_t(output->nb_samples) * std::size_t(channels_));
        av_frame_unref(output.get());
    }
}

void PlaybackAudioSource::convert(const AVFrame* frame, std::vector<std::int16_t>& out)
{
    Codec& c = *codec_;
    if (c.target && frame) {
        // The samples before the seek's time are not heard.
        AVStream* stream = c.format->streams[c.streamIndex];
        if (frame->pts != AV_NOPTS_VALUE) {
            double start = subtract(timeFromTicks(frame->pts, stream->time_base), c.origin).seconds();
            double ahead = c.target->seconds() - start;
            skipFrames_ = ahead > 0 ? std::int64_t(std::llround(ahead * sampleRate_)) : 0;
        }
        c.target.reset();
    }
    int capacity = swr_get_out_samples(c.resampler.get(), frame ? frame->nb_samples : 0);
    if (capacity <= 0) return;
    std::vector<std::int16_t> converted(std::size_t(capacity) * std::size_t(channels_));
    auto* planes = reinterpret_cast<std::uint8_t*>(converted.data());
    auto** input = frame ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr;
    int made = swr_convert(c.resampler.get(), &planes, capacity, input, frame ? frame->nb_samples : 0);
    if (made <= 0) return;
    int skipped = int(std::min<std::int64_t>(skipFrames_, made));
    skipFrames_ -= skipped;
    if (made > skipped) stretch(converted.data() + std::size_t(skipped) * std::size_t(channels_), made - skipped, out);
}

bool PlaybackAudioSource::decodeMore(std::vector<std::int16_t>& out)
{
    Codec& c = *codec_;
    int errors = 0;
    for (;;) {
        int result = avcodec_receive_frame(c.context.get(), c.frame.get());
        if (result == 0) {
            convert(c.frame.get(), out);
            av_frame_unref(c.frame.get());
            return true;
        }
        if (result == AVERROR(EAGAIN) && c.drained) result = AVERROR_EOF;
        if (result == AVERROR_EOF || (result != AVERROR(EAGAIN) && ++errors > 64)) {
            // The tail held back by the resampler and the stretcher.
            convert(nullptr, out);
            if (c.graph) stretch(nullptr, 0, out);
            return false;
        }
        if (result != AVERROR(EAGAIN)) continue;
        if (av_read_frame(c.format.get(), c.packet.get()) < 0) {
            c.drained = true;
            avcodec_send_packet(c.context.get(), nullptr);
            continue;
        }
        if (c.packet->stream_index == c.streamIndex) avcodec_send_packet(c.context.get(), c.packet.get());
        av_packet_unref(c.packet.get());
    }
}

bool PlaybackAudioSource::read(std::vector<std::int16_t>& out, std::size_t frames)
{
    std::size_t wanted = out.size() + frames * std::size_t(channels_);
    while (!ended_ && out.size() < wanted)
        if (!decodeMore(out)) ended_ = true;
    return !ended_ || out.size() >= wanted;
}

}  // namespace media::detail
