#include "tools/testmovie/test_movie.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/display.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <memory>

namespace testmovie {

namespace {

constexpr int gridSide = 4;

struct Deleters {
    void operator()(AVFormatContext* c) const
    {
        if (c && !(c->oformat->flags & AVFMT_NOFILE)) avio_closep(&c->pb);
        avformat_free_context(c);
    }
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
    void operator()(AVFrame* f) const { av_frame_free(&f); }
    void operator()(AVPacket* p) const { av_packet_free(&p); }
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
template <class T>
using Owned = std::unique_ptr<T, Deleters>;

void check(int result, const std::string& what)
{
    if (result < 0) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(result, text, sizeof text);
        throw Failure(what + ": " + text);
    }
}

std::string extensionOf(const std::string& path)
{
    auto dot = path.rfind('.');
    return dot == std::string::npos ? "" : path.substr(dot + 1);
}

// The picture of frame k as packed BGRA bytes.
std::vector<std::uint8_t> drawFrame(const MovieSpec& spec, int index)
{
    int w = spec.width, h = spec.height, gridHeight = h * 3 / 4;
    std::vector<std::uint8_t> bgra(std::size_t(w) * h * 4);
    // Waves along each axis, moving with the index.
    std::vector<double> waveX(static_cast<std::size_t>(w)), waveY(static_cast<std::size_t>(h));
    std::vector<int> columnOf(static_cast<std::size_t>(w));
    std::vector<bool> innerX(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x) {
        waveX[std::size_t(x)] = std::sin((x + 3 * index) * 0.05);
        int column = x * gridSide / w;
        int cellX0 = column * w / gridSide, cellX1 = (column + 1) * w / gridSide;
        columnOf[std::size_t(x)] = column;
        innerX[std::size_t(x)] = x >= cellX0 + (cellX1 - cellX0) / 5 && x < cellX1 - (cellX1 - cellX0) / 5;
    }
    for (int y = 0; y < h; ++y)
        waveY[std::size_t(y)] = std::cos((y - 2 * index) * 0.07);
    for (int y = 0; y < h; ++y) {
        int row = y * gridSide / std::max(1, gridHeight);
        int cellY0 = row * gridHeight / gridSide, cellY1 = (row + 1) * gridHeight / gridSide;
        bool innerY = y >= cellY0 + (cellY1 - cellY0) / 5 && y < cellY1 - (cellY1 - cellY0) / 5;
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &bgra[(std::size_t(y) * w + x) * 4];
            std::uint8_t r, g, b;
            int column = columnOf[std::size_t(x)];
            bool inner = innerY && innerX[std::size_t(x)];
            if (y >= gridHeight) {
                r = stripRed, g = stripGreen, b = stripBlue;
            } else if (inner || !spec.texture) {
                bool bit = (index >> (row * gridSide + column)) & 1;
                r = g = b = bit ? 235 : 20;
            } else {
                // Moving waves with some grain: costs the codec about what real footage costs.
                double v = waveX[std::size_t(x)] * waveY[std::size_t(y)];
                unsigned grain = (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u ^ unsigned(index) * 97u) >> 28;
                r = std::uint8_t(128 + 90 * v + grain);
                g = std::uint8_t(100 + 60 * v);
                b = std::uint8_t(140 - 80 * v + grain);
            }
            p[0] = b, p[1] = g, p[2] = r, p[3] = 255;
        }
    }
    return bgra;
}

struct VideoSettings {
    const char* encoder;
    AVPixelFormat format;
    bool fullRange;
};

VideoSettings settingsFor(Codec codec)
{
    switch (codec) {
    case Codec::h264:
        return {"libx264", AV_PIX_FMT_YUV420P, false};
    case Codec::mpeg4:
        return {"mpeg4", AV_PIX_FMT_YUV420P, false};
    case Codec::mjpeg:
        return {"mjpeg", AV_PIX_FMT_YUVJ420P, true};
    case Codec::vp9:
        return {"libvpx-vp9", AV_PIX_FMT_YUV420P, false};
    case Codec::prores:
        return {"prores_ks", AV_PIX_FMT_YUV422P10LE, false};
    case Codec::mpeg2:
        return {"mpeg2video", AV_PIX_FMT_YUV420P, false};
    }
    throw Failure("unknown codec");
}

class Writer {
public:
    Writer(const std::string& path, const MovieSpec& spec) : spec_(spec)
    {
        AVFormatContext* raw = nullptr;
        check(avformat_alloc_output_context2(&raw, nullptr, nullptr, path.c_str()), "no container for " + path);
        format_.reset(raw);
        if (spec.video)
            openVideo();
        else if (!spec.audio)
            throw Failure("a movie needs video or audio");
        packet_.reset(av_packet_alloc());
        if (spec.audio) openAudio(extensionOf(path));
        if (!(format_->oformat->flags & AVFMT_NOFILE))
            check(avio_open(&format_->pb, path.c_str(), AVIO_FLAG_WRITE), "cannot create " + path);
        check(avformat_write_header(format_.get(), nullptr), "cannot write the header");
    }

    void run()
    {
        std::int64_t pts = spec_.startTicks;
        for (int k = 0; k < spec_.frameCount; ++k) {
            const std::int64_t duration = frameTicks(spec_, k);
            if (videoCodec_) writeVideoFrame(k, pts, duration);
            pts += duration;
            if (audioCodec_) writeAudioUntil(pts);
        }
        if (videoCodec_) flush(videoCodec_.get(), videoStream_);
        if (audioCodec_) flush(audioCodec_.get(), audioStream_);
        check(av_write_trailer(format_.get()), "cannot finish the movie");
    }

private:
    void openVideo()
    {
        VideoSettings settings = settingsFor(spec_.codec);
        const AVCodec* codec = avcodec_find_encoder_by_name(settings.encoder);
        if (!codec) throw Failure(std::string("no encoder ") + settings.encoder);
        videoCodec_.reset(avcodec_alloc_context3(codec));
        AVCodecContext* c = videoCodec_.get();
        c->width = spec_.width;
        c->height = spec_.height;
        c->pix_fmt = settings.format;
        c->time_base = {1, spec_.rateNum};
        c->framerate = {spec_.rateNum, spec_.rateDen};
        c->gop_size = spec_.keyInterval;
        // B-frames where the containers store them cleanly (MPEG-4 part 2 would need packed AVI frames).
        bool bFramesAllowed = spec_.codec == Codec::h264 || spec_.codec == Codec::mpeg2;
        c->max_b_frames = spec_.bFrames && bFramesAllowed ? 2 : 0;
        c->sample_aspect_ratio = {spec_.sampleAspectNum, spec_.sampleAspectDen};
        c->colorspace = spec_.matrix == Matrix::bt709 ? AVCOL_SPC_BT709 : AVCOL_SPC_SMPTE170M;
        c->color_primaries = spec_.matrix == Matrix::bt709 ? AVCOL_PRI_BT709 : AVCOL_PRI_SMPTE170M;
        c->color_trc = spec_.matrix == Matrix::bt709 ? AVCOL_TRC_BT709 : AVCOL_TRC_SMPTE170M;
        c->color_range = settings.fullRange ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
        c->thread_count = 0;
        if (format_->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        AVDictionary* options = nullptr;
        switch (spec_.codec) {
        case Codec::h264:
            av_dict_set(&options, "preset", "veryfast", 0);
            av_dict_set(&options, "crf", "20", 0);
            // Key frames exactly every keyInterval frames, as the benchmarks promise.
            av_dict_set(&options, "x264-params", "scenecut=0:open-gop=0", 0);
            break;
        case Codec::mpeg4:
        case Codec::mjpeg:
        case Codec::mpeg2:
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = FF_QP2LAMBDA * 3;
            break;
        case Codec::vp9:
            av_dict_set(&options, "deadline", "good", 0);
            av_dict_set(&options, "cpu-used", "5", 0);
            av_dict_set(&options, "crf", "30", 0);
            c->bit_rate = 0;
            break;
        case Codec::prores:
            break;
        }
        int opened = avcodec_open2(c, codec, &options);
        av_dict_free(&options);
        check(opened, std::string("cannot open ") + settings.encoder);

        videoStream_ = avformat_new_stream(format_.get(), nullptr);
        check(avcodec_parameters_from_context(videoStream_->codecpar, c), "video parameters");
        videoStream_->time_base = c->time_base;
        videoStream_->avg_frame_rate = spec_.variableFrameRate ? AVRational{0, 1} : c->framerate;
        videoStream_->sample_aspect_ratio = c->sample_aspect_ratio;
        if (spec_.rotation != 0) {
            auto* matrix = reinterpret_cast<std::int32_t*>(
                av_stream_new_side_data(videoStream_, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(std::int32_t)));
            if (!matrix) throw Failure("no memory for the display matrix");
            // FFmpeg turns counter-clockwise for positive angles in its own frame; this gives the matrix
            // (0, 1, -1, 0) of a picture to be shown a quarter turn clockwise, as portrait phone movies hold.
            av_display_rotation_set(matrix, spec_.rotation);
        }

        scaler_.reset(
            sws_getContext(spec_.width, spec_.height, AV_PIX_FMT_BGRA, spec_.width, spec_.height,
                           settings.format == AV_PIX_FMT_YUVJ420P ? AV_PIX_FMT_YUV420P : settings.format,
                           spec_.width > 640 ? SWS_BILINEAR : SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP,
                           nullptr, nullptr, nullptr));
        int matrix = spec_.matrix == Matrix::bt709 ? SWS_CS_ITU709 : SWS_CS_ITU601;
        sws_setColorspaceDetails(scaler_.get(), sws_getCoefficients(SWS_CS_DEFAULT), 1, sws_getCoefficients(matrix),
                                 settings.fullRange ? 1 : 0, 0, 1 << 16, 1 << 16);
        frame_.reset(av_frame_alloc());
        frame_->format = settings.format;
        frame_->width = spec_.width;
        frame_->height = spec_.height;
        check(av_frame_get_buffer(frame_.get(), 0), "frame buffer");
    }

    void openAudio(const std::string& extension)
    {
        bool pcm = extension == "avi";
        const AVCodec* codec = avcodec_find_encoder(pcm ? AV_CODEC_ID_PCM_S16LE : AV_CODEC_ID_AAC);
        if (!codec || extension == "webm") throw Failure("no audio encoder for ." + extension);
        audioCodec_.reset(avcodec_alloc_context3(codec));
        AVCodecContext* c = audioCodec_.get();
        c->sample_rate = 48000;
        c->sample_fmt = pcm ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_FLTP;
        av_channel_layout_default(&c->ch_layout, 2);
        c->bit_rate = 96000;
        c->time_base = {1, 48000};
        if (format_->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        check(avcodec_open2(c, codec, nullptr), "cannot open the audio encoder");
        audioStream_ = avformat_new_stream(format_.get(), nullptr);
        check(avcodec_parameters_from_context(audioStream_->codecpar, c), "audio parameters");
        audioStream_->time_base = c->time_base;
        audioFrame_.reset(av_frame_alloc());
        audioFrame_->format = c->sample_fmt;
        audioFrame_->nb_samples = c->frame_size > 0 ? c->frame_size : 1024;
        audioFrame_->sample_rate = 48000;
        check(av_channel_layout_copy(&audioFrame_->ch_layout, &c->ch_layout), "audio layout");
        check(av_frame_get_buffer(audioFrame_.get(), 0), "audio buffer");
        audioSamples_ = av_rescale(spec_.startTicks, 48000, spec_.rateNum);
    }

    void writeVideoFrame(int index, std::int64_t pts, std::int64_t duration)
    {
        check(av_frame_make_writable(frame_.get()), "frame buffer");
        std::vector<std::uint8_t> bgra = drawFrame(spec_, index);
        const std::uint8_t* source[1] = {bgra.data()};
        int stride[1] = {spec_.width * 4};
        sws_scale(scaler_.get(), source, stride, 0, spec_.height, frame_->data, frame_->linesize);
        frame_->pts = pts;
        frame_->pkt_duration = duration;
        frame_->pict_type = AV_PICTURE_TYPE_NONE;
        durations_.push_back({pts, duration});
        send(videoCodec_.get(), videoStream_, frame_.get());
    }

    // A 440 Hz tone up to the given video time.
    void writeAudioUntil(std::int64_t videoTicks)
    {
        std::int64_t end = av_rescale(videoTicks, 48000, spec_.rateNum);
        while (audioSamples_ + audioFrame_->nb_samples <= end) {
            check(av_frame_make_writable(audioFrame_.get()), "audio buffer");
            for (int i = 0; i < audioFrame_->nb_samples; ++i) {
                double v = 0.2 * std::sin(2 * M_PI * 440 * double(audioSamples_ + i) / 48000);
                for (int channel = 0; channel < 2; ++channel) {
                    if (audioFrame_->format == AV_SAMPLE_FMT_FLTP)
                        reinterpret_cast<float*>(audioFrame_->data[channel])[i] = float(v);
                    else
                        reinterpret_cast<std::int16_t*>(audioFrame_->data[0])[2 * i + channel] =
                            std::int16_t(v * 32767);
                }
            }
            audioFrame_->pts = audioSamples_;
            audioSamples_ += audioFrame_->nb_samples;
            send(audioCodec_.get(), audioStream_, audioFrame_.get());
        }
    }

    void send(AVCodecContext* codec, AVStream* stream, AVFrame* frame)
    {
        check(avcodec_send_frame(codec, frame), "cannot encode");
        for (;;) {
            int result = avcodec_receive_packet(codec, packet_.get());
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
            check(result, "cannot encode");
            if (stream == videoStream_) {
                // Encoders do not all carry the frame's own duration over (variable rates need it).
                auto match = std::find_if(durations_.begin(), durations_.end(),
                                          [&](const auto& d) { return d.first == packet_->pts; });
                if (match != durations_.end()) packet_->duration = match->second;
            }
            av_packet_rescale_ts(packet_.get(), codec->time_base, stream->time_base);
            packet_->stream_index = stream->index;
            check(av_interleaved_write_frame(format_.get(), packet_.get()), "cannot write a packet");
        }
    }

    void flush(AVCodecContext* codec, AVStream* stream) { send(codec, stream, nullptr); }

    MovieSpec spec_;
    Owned<AVFormatContext> format_;
    Owned<AVCodecContext> videoCodec_;
    Owned<AVCodecContext> audioCodec_;
    Owned<SwsContext> scaler_;
    Owned<AVFrame> frame_;
    Owned<AVFrame> audioFrame_;
    Owned<AVPacket> packet_;
    AVStream* videoStream_ = nullptr;
    AVStream* audioStream_ = nullptr;
    std::int64_t audioSamples_ = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> durations_;
};

}  // namespace

void writeMovie(const std::string& path, const MovieSpec& spec)
{
    if (av_log_get_level() > AV_LOG_ERROR) av_log_set_level(AV_LOG_ERROR);
    Writer writer(path, spec);
    writer.run();
}

namespace {

// The display times of the frames that decode from the packets, for streams whose packets do not all carry one.
std::vector<std::int64_t> decodedTimes(AVFormatContext* format, int video, std::vector<Owned<AVPacket>>& packets)
{
    const AVCodecParameters* parameters = format->streams[video]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (!codec) throw Failure("no decoder for the video");
    Owned<AVCodecContext> context(avcodec_alloc_context3(codec));
    check(avcodec_parameters_to_context(context.get(), parameters), "video parameters");
    context->pkt_timebase = format->streams[video]->time_base;
    context->thread_count = 1;
    check(avcodec_open2(context.get(), codec, nullptr), "cannot open the decoder");
    Owned<AVFrame> frame(av_frame_alloc());
    std::vector<std::int64_t> times;
    auto receive = [&] {
        while (avcodec_receive_frame(context.get(), frame.get()) == 0) {
            std::int64_t time = frame->best_effort_timestamp;
            // The last frame out of the decoder may come without a time: it follows its predecessor.
            if (time == AV_NOPTS_VALUE && !times.empty())
                time = times.back() + (frame->pkt_duration > 0 ? frame->pkt_duration
                                       : times.size() > 1      ? times.back() - times[times.size() - 2]
                                                               : 1);
            times.push_back(time);
        }
    };
    for (Owned<AVPacket>& packet : packets) {
        check(avcodec_send_packet(context.get(), packet.get()), "cannot decode");
        receive();
    }
    avcodec_send_packet(context.get(), nullptr);
    receive();
    return times;
}

}  // namespace

std::int64_t frameTicks(const MovieSpec& spec, int k)
{
    return std::int64_t(spec.rateDen) * (spec.variableFrameRate ? 1 + k % 3 : 1);
}

std::vector<FrameStart> writtenFrameStarts(const MovieSpec& spec)
{
    std::vector<FrameStart> starts;
    std::int64_t ticks = 0;
    for (int k = 0; k < spec.frameCount; ++k) {
        starts.push_back({ticks, spec.rateNum});
        ticks += frameTicks(spec, k);
    }
    return starts;
}

std::vector<FrameStart> readFrameStarts(const std::string& path)
{
    AVFormatContext* raw = nullptr;
    check(avformat_open_input(&raw, path.c_str(), nullptr, nullptr), "cannot open " + path);
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> format(
        raw, [](AVFormatContext* c) { avformat_close_input(&c); });
    check(avformat_find_stream_info(raw, nullptr), "no stream information in " + path);
    int video = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    check(video, "no video in " + path);
    AVRational base = raw->streams[video]->time_base;
    std::vector<std::int64_t> pts;
    std::vector<Owned<AVPacket>> packets;
    bool everyPts = true;
    for (;;) {
        Owned<AVPacket> packet(av_packet_alloc());
        if (av_read_frame(raw, packet.get()) < 0) break;
        if (packet->stream_index != video) continue;
        everyPts = everyPts && packet->pts != AV_NOPTS_VALUE;
        pts.push_back(packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts);
        packets.push_back(std::move(packet));
    }
    // Program streams leave out the display time of some packets: the decoder knows it.
    if (!everyPts) pts = decodedTimes(raw, video, packets);
    std::sort(pts.begin(), pts.end());
    std::vector<FrameStart> starts;
    for (std::int64_t p : pts)
        starts.push_back({(p - pts.front()) * base.num, base.den});
    return starts;
}

int readFrameIndex(const gfx::Image& image)
{
    int w = image.width(), h = image.height(), gridHeight = h * 3 / 4;
    int index = 0;
    for (int row = 0; row < gridSide; ++row) {
        for (int column = 0; column < gridSide; ++column) {
            int x = (2 * column + 1) * w / (2 * gridSide);
            int y = (2 * row + 1) * gridHeight / (2 * gridSide);
            gfx::Pixel p = image.pixel(x, y);
            int level = (gfx::redOf(p) + gfx::greenOf(p) + gfx::blueOf(p)) / 3;
            if (level > 80 && level < 175) return -1;
            if (level >= 175) index |= 1 << (row * gridSide + column);
        }
    }
    return index;
}

gfx::Pixel readStripColour(const gfx::Image& image)
{
    int h = image.height();
    return image.pixel(image.width() / 2, (h * 3 / 4 + h) / 2);
}

}  // namespace testmovie
