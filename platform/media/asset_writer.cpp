#include "platform/media/asset_writer.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "platform/core/dispatch_queue.h"
#include "platform/core/error.h"
#include "platform/core/mutex.h"
#include "platform/core/queue_check.h"
#include "platform/media/detail/ffmpeg.h"
#include "platform/media/export_names.h"

namespace media {

namespace {

constexpr AVRational encoderTimeBase{1, 90000};

// The MP4 family's muxers by file type and extension; FFmpeg's "m4v" muxer writes raw MPEG-4 video and is
// never chosen.
std::optional<std::string> muxerFor(const std::string& fileType, const std::string& extension)
{
    if (fileType == fileTypes::AVFileTypeAppleM4V) return "ipod";
    if (fileType == fileTypes::AVFileTypeMPEG4) return "mp4";
    if (fileType.empty() && extension == "m4v") return "ipod";
    if (fileType.empty() && extension == "mp4") return "mp4";
    return std::nullopt;
}

void silenceFFmpeg()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

}  // namespace

struct AssetWriter::Impl {
    core::Url url;
    std::string muxer;
    std::shared_ptr<AssetWriterInput> input;
    // Finishing runs here, in order, after any earlier finish.
    const std::shared_ptr<core::DispatchQueue> queue;

    // Held by whatever touches the file and the FFmpeg objects below: opening, appending, finishing and
    // cancelling never overlap, whatever threads they come from.
    core::Mutex work;
    std::string temporaryPath GUARDED_BY(work);
    detail::OutputContextPtr format GUARDED_BY(work);
    detail::CodecContextPtr codec GUARDED_BY(work);
    AVStream* stream GUARDED_BY(work) = nullptr;
    detail::SwsContextPtr scaler GUARDED_BY(work);
    detail::FramePtr frame GUARDED_BY(work);
    // The last packet out of the encoder, held back until the next one tells how long it lasts.
    detail::PacketPtr pending GUARDED_BY(work);
    std::int64_t lastDuration GUARDED_BY(work) = 1;
    std::int64_t lastPts GUARDED_BY(work) = 0;
    bool anyFrame GUARDED_BY(work) = false;
    Time sessionStart GUARDED_BY(work) = Time::zero();
    std::optional<Time> sessionEnd GUARDED_BY(work);

    mutable core::Mutex mutex;  // guards the status and the error
    Status status GUARDED_BY(mutex) = Status::unknown;
    std::optional<std::string> error GUARDED_BY(mutex);

    Impl(const core::Url& url, std::string muxer)
        : url(url), muxer(std::move(muxer)), queue(core::DispatchQueue::makeSerial("AssetWriter.finishing"))
    {
    }

    ~Impl()
    {
        close();
        removeTemporary();
    }

    Status currentStatus() const
    {
        core::MutexLock lock(mutex);
        return status;
    }

    void setStatus(Status newStatus, std::optional<std::string> message = std::nullopt)
    {
        core::MutexLock lock(mutex);
        status = newStatus;
        if (message) error = std::move(message);
    }

    // The steps below run with `work` held.
    bool fail(const std::string& message) REQUIRES(work)
    {
        setStatus(Status::failed, message);
        close();
        removeTemporary();
        return false;
    }

    void close() REQUIRES(work)
    {
        format.reset();
        codec.reset();
        scaler.reset();
        frame.reset();
        pending.reset();
    }

    void removeTemporary() REQUIRES(work)
    {
        if (temporaryPath.empty()) return;
        std::error_code ignored;
        std::filesystem::remove(temporaryPath, ignored);
        temporaryPath.clear();
    }

    bool reserveTemporaryFile() REQUIRES(work)
    {
        const std::filesystem::path target = url.path();
        std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) return false;
        ::close(fd);
        temporaryPath = pattern;
        return true;
    }

    bool open() REQUIRES(work)
    {
        const VideoSettings& settings = input->settings();
        if (settings.width <= 0 || settings.height <= 0 || settings.width % 2 || settings.height % 2)
            return fail("H.264 needs an even, positive width and height");
        if (!reserveTemporaryFile()) return fail("cannot create a file next to " + url.path());
        AVFormatContext* output = nullptr;
        if (avformat_alloc_output_context2(&output, nullptr, muxer.c_str(), temporaryPath.c_str()) < 0 || !output)
            return fail("cannot make the " + muxer + " muxer");
        format.reset(output);
        const AVCodec* encoder = avcodec_find_encoder_by_name("libx264");
        if (!encoder) encoder = avcodec_find_encoder(AV_CODEC_ID_H264);
        if (!encoder) return fail("no H.264 encoder");
        stream = avformat_new_stream(format.get(), nullptr);
        codec.reset(avcodec_alloc_context3(encoder));
        if (!stream || !codec) return fail("out of memory");
        codec->width = settings.width;
        codec->height = settings.height;
        codec->pix_fmt = AV_PIX_FMT_YUV420P;
        codec->time_base = encoderTimeBase;
        // Packets leave the encoder in presentation order, so each one's duration is known from the next.
        codec->max_b_frames = 0;
        if (format->oformat->flags & AVFMT_GLOBALHEADER) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        av_opt_set(codec->priv_data, "preset", "veryfast", 0);
        if (avcodec_open2(codec.get(), encoder, nullptr) < 0) return fail("cannot open the H.264 encoder");
        if (avcodec_parameters_from_context(stream->codecpar, codec.get()) < 0) return fail("cannot set the stream up");
        stream->time_base = encoderTimeBase;
        if (avio_open(&format->pb, temporaryPath.c_str(), AVIO_FLAG_WRITE) < 0) return fail("cannot write the file");
        if (avformat_write_header(format.get(), nullptr) < 0) return fail("cannot write the movie header");
        frame.reset(av_frame_alloc());
        pending.reset(av_packet_alloc());
        if (!frame || !pending) return fail("out of memory");
        frame->format = AV_PIX_FMT_YUV420P;
        frame->width = settings.width;
        frame->height = settings.height;
        if (av_frame_get_buffer(frame.get(), 0) < 0) return fail("out of memory");
        return true;
    }

    bool writePacket(AVPacket* packet) REQUIRES(work)
    {
        packet->stream_index = stream->index;
        av_packet_rescale_ts(packet, encoderTimeBase, stream->time_base);
        return av_interleaved_write_frame(format.get(), packet) >= 0;
    }

    // Moves every packet the encoder has ready to the muxer, one packet behind.
    bool drain() REQUIRES(work)
    {
        detail::PacketPtr packet(av_packet_alloc());
        if (!packet) return false;
        int result = 0;
        while ((result = avcodec_receive_packet(codec.get(), packet.get())) >= 0) {
            if (pending->data) {
                lastDuration = std::max<std::int64_t>(packet->pts - pending->pts, 1);
                pending->duration = lastDuration;
                if (!writePacket(pending.get())) return false;
            }
            av_packet_unref(pending.get());
            av_packet_move_ref(pending.get(), packet.get());
        }
        return result == AVERROR(EAGAIN) || result == AVERROR_EOF;
    }

    std::int64_t ptsOf(const Time& time) const REQUIRES(work)
    {
        const Time offset = subtract(time, sessionStart);
        if (!offset.isNumeric() || offset.timescale <= 0) return AV_NOPTS_VALUE;
        return av_rescale_q(offset.value, AVRational{1, offset.timescale}, encoderTimeBase);
    }

    bool append(gfx::PixelBuffer& buffer, const Time& time) REQUIRES(work)
    {
        if (currentStatus() != Status::writing || input->isFinished()) return false;
        const std::int64_t pts = ptsOf(time);
        if (pts == AV_NOPTS_VALUE || (anyFrame && pts <= lastPts)) return false;
        if (buffer.pixelFormat() != gfx::PixelFormat::argb32 || buffer.width() != codec->width ||
            buffer.height() != codec->height)
            return false;
        scaler.reset(sws_getCachedContext(scaler.release(), buffer.width(), buffer.height(), AV_PIX_FMT_ARGB,
                                          codec->width, codec->height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr,
                                          nullptr, nullptr));
        if (!scaler || av_frame_make_writable(frame.get()) < 0) return fail("cannot convert the pixels");
        buffer.lock();
        const std::uint8_t* planes[] = {buffer.baseAddress()};
        const int strides[] = {buffer.bytesPerRow()};
        sws_scale(scaler.get(), planes, strides, 0, buffer.height(), frame->data, frame->linesize);
        buffer.unlock();
        frame->pts = pts;
        lastPts = pts;
        anyFrame = true;
        if (avcodec_send_frame(codec.get(), frame.get()) < 0 || !drain()) return fail("cannot encode the frame");
        return true;
    }

    // On the writer's queue only.
    bool finish() REQUIRES(work)
    {
        core::assertOnQueue(*queue);
        if (currentStatus() != Status::writing) return false;
        if (avcodec_send_frame(codec.get(), nullptr) < 0 || !drain()) return fail("cannot flush the encoder");
        if (pending->data) {
            const std::int64_t end = sessionEnd ? ptsOf(*sessionEnd) : AV_NOPTS_VALUE;
            pending->duration = end != AV_NOPTS_VALUE && end > pending->pts ? end - pending->pts : lastDuration;
            if (!writePacket(pending.get())) return fail("cannot write the last frame");
        }
        if (av_write_trailer(format.get()) < 0) return fail("cannot write the movie's index");
        if (avio_closep(&format->pb) < 0) return fail("cannot close the file");
        std::error_code error;
        std::filesystem::rename(temporaryPath, url.path(), error);
        if (error) return fail("cannot move the movie into place: " + error.message());
        temporaryPath.clear();
        close();
        setStatus(Status::completed);
        return true;
    }

    void cancel() REQUIRES(work)
    {
        if (currentStatus() != Status::writing) return;
        close();
        removeTemporary();
        setStatus(Status::cancelled);
    }
};

bool AssetWriterInput::isReadyForMoreMediaData() const
{
    const auto writer = writer_.lock();
    return writer && writer->status() == AssetWriter::Status::writing && !finished_;
}

std::shared_ptr<AssetWriterInput> AssetWriterInput::create(MediaType type, const VideoSettings& settings)
{
    if (type != MediaType::video) return nullptr;
    return core::make<AssetWriterInput>(settings);
}

std::shared_ptr<PixelBufferAdaptor> PixelBufferAdaptor::create(std::shared_ptr<AssetWriterInput> input,
                                                               const gfx::PixelBufferAttributes& attributes)
{
    if (!input) return nullptr;
    return core::make<PixelBufferAdaptor>(std::move(input), attributes);
}

std::shared_ptr<gfx::PixelBufferPool> PixelBufferAdaptor::pixelBufferPool()
{
    const auto writer = input_->writer();
    if (!writer || writer->status() == AssetWriter::Status::unknown) return nullptr;
    if (!pool_) pool_ = gfx::PixelBufferPool::create(attributes_);
    return pool_;
}

bool PixelBufferAdaptor::append(gfx::PixelBuffer& buffer, const Time& presentationTime)
{
    const auto writer = input_->writer();
    return writer && writer->append(buffer, presentationTime);
}

AssetWriter::AssetWriter(const core::Url& url, std::string muxer) : impl_(std::make_unique<Impl>(url, std::move(muxer)))
{
}

AssetWriter::~AssetWriter() = default;

std::shared_ptr<AssetWriter> AssetWriter::create(const core::Url& url, const std::string& fileType)
{
    silenceFFmpeg();
    if (!url.isFileURL()) throw core::Error("media", -11820, "The URL is not a file URL: " + url.absoluteString());
    const auto muxer = muxerFor(fileType, url.pathExtension());
    if (!muxer) throw core::Error("media", -11821, "Cannot write files of type " + fileType);
    std::error_code error;
    if (!std::filesystem::is_directory(std::filesystem::path(url.path()).parent_path(), error))
        throw core::Error("media", -11822, "The folder does not exist: " + url.path());
    return core::make<AssetWriter>(url, *muxer);
}

bool AssetWriter::canAdd(const std::shared_ptr<AssetWriterInput>& input) const
{
    return input && !impl_->input && impl_->currentStatus() == Status::unknown && input->writer_.expired();
}

void AssetWriter::add(const std::shared_ptr<AssetWriterInput>& input)
{
    if (!canAdd(input)) return;
    impl_->input = input;
    input->writer_ = sharedAs<AssetWriter>();
}

bool AssetWriter::startWriting()
{
    core::MutexLock work(impl_->work);
    if (impl_->currentStatus() != Status::unknown || !impl_->input) return false;
    if (!impl_->open()) return false;
    impl_->setStatus(Status::writing);
    return true;
}

void AssetWriter::startSession(const Time& sourceTime)
{
    core::MutexLock work(impl_->work);
    impl_->sessionStart = sourceTime;
}

void AssetWriter::endSession(const Time& sourceTime)
{
    core::MutexLock work(impl_->work);
    impl_->sessionEnd = sourceTime;
}

void AssetWriter::finishWriting(std::function<void()> completion)
{
    // The writer lives until its completion has run.
    impl_->queue->async([self = sharedAs<AssetWriter>(), completion = std::move(completion)] {
        {
            core::MutexLock work(self->impl_->work);
            self->impl_->finish();
        }
        if (completion) completion();
    });
}

void AssetWriter::cancelWriting()
{
    core::MutexLock work(impl_->work);
    impl_->cancel();
}

AssetWriter::Status AssetWriter::status() const { return impl_->currentStatus(); }

std::optional<std::string> AssetWriter::error() const
{
    core::MutexLock lock(impl_->mutex);
    return impl_->error;
}

bool AssetWriter::append(gfx::PixelBuffer& buffer, const Time& presentationTime)
{
    core::MutexLock work(impl_->work);
    return impl_->append(buffer, presentationTime);
}

}  // namespace media
