// Writes a movie file from pixel buffers: an AssetWriter owns the file, an AssetWriterInput encodes one
// H.264 video track (yuv420p, even sizes only), and a PixelBufferAdaptor hands it ARGB pixel buffers from a
// pool, each at a presentation time. ".m4v" and ".mp4" files use the MP4 family's "ipod" and "mp4" muxers.
// The movie is written to a temporary file in the same folder and renamed over the target when finishing
// succeeds, so a failed or abandoned movie leaves nothing behind. Each object serves one thread at a time,
// except that a writer may be cancelled from any thread, also while it finishes: cancelling waits for the
// step under way, and after a finish it does nothing. finishWriting works, and calls its completion, on a
// serial queue of the writer's own.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/object.h"
#include "platform/core/url.h"
#include "platform/gfx/pixel_buffer.h"
#include "platform/media/media_type.h"
#include "platform/media/time.h"

namespace media {

enum class VideoCodec { h264 };

struct VideoSettings {
    VideoCodec codec = VideoCodec::h264;
    int width = 0;
    int height = 0;
};

class AssetWriter;

class AssetWriterInput : public core::Object {
public:
    // Null for anything but video.
    static std::shared_ptr<AssetWriterInput> create(MediaType type, const VideoSettings& settings);

    const VideoSettings& settings() const { return settings_; }
    bool expectsMediaDataInRealTime() const { return realTime_; }
    void setExpectsMediaDataInRealTime(bool realTime) { realTime_ = realTime; }
    // True while its writer is writing and the input is not finished (encoding is synchronous).
    bool isReadyForMoreMediaData() const;
    void markAsFinished() { finished_ = true; }
    bool isFinished() const { return finished_; }
    // The writer it was added to; null before.
    std::shared_ptr<AssetWriter> writer() const { return writer_.lock(); }

    explicit AssetWriterInput(const VideoSettings& settings) : settings_(settings) {}

private:
    friend class AssetWriter;
    VideoSettings settings_;
    bool realTime_ = false;
    bool finished_ = false;
    std::weak_ptr<AssetWriter> writer_;
};

class PixelBufferAdaptor : public core::Object {
public:
    static std::shared_ptr<PixelBufferAdaptor> create(std::shared_ptr<AssetWriterInput> input,
                                                      const gfx::PixelBufferAttributes& attributes);

    // Buffers of the adaptor's attributes; null until the input's writer has started writing.
    std::shared_ptr<gfx::PixelBufferPool> pixelBufferPool();
    // Encodes the buffer (argb32) shown from the time on; times must increase. False once the writer failed.
    [[nodiscard]] bool append(gfx::PixelBuffer& buffer, const Time& presentationTime);

    PixelBufferAdaptor(std::shared_ptr<AssetWriterInput> input, const gfx::PixelBufferAttributes& attributes)
        : input_(std::move(input)), attributes_(attributes)
    {
    }

private:
    std::shared_ptr<AssetWriterInput> input_;
    gfx::PixelBufferAttributes attributes_;
    std::shared_ptr<gfx::PixelBufferPool> pool_;
};

class AssetWriter : public core::Object {
public:
    enum class Status { unknown = 0, writing = 1, completed = 2, failed = 3, cancelled = 4 };

    // fileType: fileTypes::AVFileTypeAppleM4V (the "ipod" muxer) or AVFileTypeMPEG4 ("mp4"); empty goes by
    // the extension (m4v, mp4). Throws core::Error for a URL that is not a file, a file type it cannot write, or a
    // missing folder.
    static std::shared_ptr<AssetWriter> create(const core::Url& url, const std::string& fileType);
    ~AssetWriter() override;

    // One video input, before writing starts.
    bool canAdd(const std::shared_ptr<AssetWriterInput>& input) const;
    void add(const std::shared_ptr<AssetWriterInput>& input);
    // Opens the temporary file and the encoder; false (status failed) when that fails or a size is odd.
    [[nodiscard]] bool startWriting();
    void startSession(const Time& sourceTime);
    // The time the last frame ends; without it the last frame lasts as long as the one before.
    void endSession(const Time& sourceTime);
    // Flushes the encoder, writes the trailer, moves the file into place and sets the status, then calls
    // the completion, on the writer's queue; the writer lives until then.
    void finishWriting(std::function<void()> completion);
    // Drops the unfinished movie.
    void cancelWriting();

    Status status() const;
    // What went wrong, once failed.
    std::optional<std::string> error() const;

    // What PixelBufferAdaptor::append does.
    [[nodiscard]] bool append(gfx::PixelBuffer& buffer, const Time& presentationTime);

    struct Impl;
    AssetWriter(const core::Url& url, std::string muxer);

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace media
