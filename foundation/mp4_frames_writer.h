// Writes still images as an H.264 movie in the m4v container, each image scaled to fill the frame and shown
// for its interval: the first from time zero, the movie ending when the last image's interval ends. The
// movie appears only once finishing succeeds. Blocks its caller while the writer is busy; serves one thread
// at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/time_lapse_writer.h"
#include "platform/core/object.h"
#include "platform/gfx/rect.h"
#include "platform/media/asset_writer.h"

namespace kestrane {

class MP4FramesWriter : public core::Object, public TimeLapseWriter {
public:
    // The frame size in pixels; H.264 needs both even.
    MP4FramesWriter(std::int64_t width, std::int64_t height);
    // The size's sides truncated toward zero.
    explicit MP4FramesWriter(const gfx::Size& size);

    std::int64_t width() const { return width_; }
    std::int64_t height() const { return height_; }

    [[nodiscard]] bool startWriting(const core::Url& url) override;
    // False once the writer has failed; it never waits for a writer that cannot take more.
    bool addImage(const gfx::ImageRef& image, const media::Time& interval) override;
    [[nodiscard]] bool finishWriting() override;

private:
    std::shared_ptr<gfx::PixelBuffer> buffer();
    const std::shared_ptr<media::AssetWriterInput>& input();
    const std::shared_ptr<media::PixelBufferAdaptor>& adaptor();

    std::int64_t width_;
    std::int64_t height_;
    media::Time lastTime_ = media::Time::zero();
    std::shared_ptr<media::AssetWriter> writer_;
    std::shared_ptr<media::AssetWriterInput> input_;
    std::shared_ptr<media::PixelBufferAdaptor> adaptor_;
};

}  // namespace kestrane
