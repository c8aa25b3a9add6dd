#include "foundation/gif_image_writer.h"

#include <algorithm>
#include <filesystem>

#include "foundation/file_manager_extensions.h"
#include "foundation/shortcuts.h"
#include "platform/core/print.h"

namespace kestrane {

namespace {

bool folderExists(const core::Url& url)
{
    std::error_code error;
    return url.isFileURL() && std::filesystem::is_directory(std::filesystem::path(url.path()).parent_path(), error);
}

}  // namespace

GIFImageWriter::GIFImageWriter(std::int64_t count) : count_(count) {}

bool GIFImageWriter::startWriting(const core::Url& url)
{
    if (!folderExists(url)) {
        core::print("GIFImageWriter cannot create destination at URL " + url.absoluteString());
        return false;
    }
    // Encoded in memory, then published whole.
    destination_ = gfx::ImageWriter::createInMemory(gfx::ImageFileType::gif, std::size_t(std::max<std::int64_t>(count_, 0)));
    destination_->setFileProperties({.gifLoopCount = 0});
    url_ = url;
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
    const auto destination = std::move(destination_);
    if (!destination->finalize()) return false;
    const auto written = writeToFreeName(*FM.get(), url_, [&] { return std::optional(destination->data()); });
    if (written) writtenURL_ = written;
    return written.has_value();
}

}  // namespace kestrane
