#include "foundation/gif_image_writer.h"

#include <algorithm>

#include "platform/core/print.h"

namespace kestrane {

GIFImageWriter::GIFImageWriter(std::int64_t count) : count_(count) {}

bool GIFImageWriter::startWriting(const core::Url& url)
{
    auto destination = gfx::ImageWriter::create(url, gfx::ImageFileType::gif, std::size_t(std::max<std::int64_t>(count_, 0)));
    if (!destination) {
        core::print("GIFImageWriter cannot create destination at URL " + url.absoluteString());
        return false;
    }
    destination->setFileProperties({.gifLoopCount = 0});
    destination_ = std::move(destination);
    return true;
}

bool GIFImageWriter::addImage(const gfx::ImageRef& image, const media::Time& interval)
{
    if (!destination_) {
        core::print("GIFImageWriter cannot add image, CGImageDestination is nil");
        return false;
    }
    const double seconds = interval.timescale != 0 ? double(interval.value) / double(interval.timescale) : 0.0;
    destination_->addImage(image, {.gifDelaySeconds = seconds});
    return true;
}

bool GIFImageWriter::finishWriting()
{
    if (!destination_) {
        core::print("GIFImageWriter cannot finish writing, CGImageDestination is nil");
        return false;
    }
    const bool finished = destination_->finalize();
    destination_.reset();
    return finished;
}

}  // namespace kestrane
