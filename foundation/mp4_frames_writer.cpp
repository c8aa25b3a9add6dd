#include "foundation/mp4_frames_writer.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include "foundation/pixel_buffer_helpers.h"
#include "platform/core/error.h"
#include "platform/core/print.h"
#include "platform/media/export_names.h"

namespace kestrane {

namespace {

constexpr auto pollInterval = std::chrono::milliseconds(200);

std::int64_t truncated(double side)
{
    if (!std::isfinite(side)) return 0;
    return std::int64_t(std::clamp(side, -9.2e18, 9.2e18));
}

int pixels(std::int64_t side) { return int(std::clamp<std::int64_t>(side, 0, std::numeric_limits<int>::max())); }

}  // namespace

MP4FramesWriter::MP4FramesWriter(std::int64_t width, std::int64_t height) : width_(width), height_(height) {}

MP4FramesWriter::MP4FramesWriter(const gfx::Size& size) : MP4FramesWriter(truncated(size.width), truncated(size.height))
{
}

const std::shared_ptr<media::AssetWriterInput>& MP4FramesWriter::input()
{
    if (!input_) {
        input_ = videoInput({media::VideoCodec::h264, pixels(width_), pixels(height_)});
        input_->setExpectsMediaDataInRealTime(true);
    }
    return input_;
}

const std::shared_ptr<media::PixelBufferAdaptor>& MP4FramesWriter::adaptor()
{
    if (!adaptor_)
        adaptor_ =
            media::PixelBufferAdaptor::create(input(), {gfx::PixelFormat::argb32, pixels(width_), pixels(height_)});
    return adaptor_;
}

std::shared_ptr<gfx::PixelBuffer> MP4FramesWriter::buffer()
{
    const auto pool = adaptor()->pixelBufferPool();
    if (!pool) return nullptr;
    std::shared_ptr<gfx::PixelBuffer> buffer;
    createBuffer(*pool, buffer);
    return buffer;
}

bool MP4FramesWriter::startWriting(const core::Url& url)
{
    std::shared_ptr<media::AssetWriter> writer;
    try {
        writer = media::AssetWriter::create(url, media::fileTypes::AVFileTypeAppleM4V);
    } catch (const core::Error& error) {
        core::print("MP4FramesWriter cannot create writer " + error.message());
        return false;
    }
    writer_ = writer;
    if (!writer->canAdd(input())) return false;
    writer->add(input());
    if (!writer->startWriting()) return false;
    writer->startSession(media::Time::zero());
    return true;
}

bool MP4FramesWriter::addImage(const gfx::ImageRef& image, const media::Time& interval)
{
    const auto pixelBuffer = buffer();
    if (!pixelBuffer) {
        core::print("MP4FramesWriter cannot create buffer");
        return false;
    }
    drawFillingImage(*pixelBuffer, image);
    while (!input()->isReadyForMoreMediaData()) {
        if (!writer_ || writer_->status() != media::AssetWriter::Status::writing) return false;
        std::this_thread::sleep_for(pollInterval);
    }
    // Each image shows from the sum of the intervals before it.
    const bool appended = adaptor()->append(*pixelBuffer, lastTime_);
    lastTime_ = lastTime_ + interval;
    return appended;
}

bool MP4FramesWriter::finishWriting()
{
    if (!writer_) return false;
    input()->markAsFinished();
    writer_->endSession(lastTime_);
    const auto done = std::make_shared<std::atomic<bool>>(false);
    writer_->finishWriting([done, writer = std::weak_ptr<media::AssetWriter>(writer_)] {
        const auto strong = writer.lock();
        if (strong && strong->status() != media::AssetWriter::Status::completed) {
            core::print("MP4FramesWriter cannot finish writing");
            core::print(strong->error().value_or("nil"));
        }
        done->store(true);
    });
    while (!done->load())
        std::this_thread::sleep_for(pollInterval);
    return writer_->status() == media::AssetWriter::Status::completed;
}

}  // namespace kestrane
