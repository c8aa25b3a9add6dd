#include "foundation/gif_image_writer.h"

#include <algorithm>
#include <filesystem>

#include "foundation/file_manager_extensions.h"
#include "foundation/shortcuts.h"
#include "platform/core/data.h"
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
    destination_.reset();
    file_ = folderExists(url)
                ? core::UnpublishedFile::create(url.deletingLastPathComponent().path(), url.lastPathComponent())
                : nullptr;
    if (!file_) {
        core::print("GIFImageWriter cannot create destination at URL " + url.absoluteString());
        return false;
    }
    destination_ =
        gfx::ImageWriter::createStreaming(gfx::ImageFileType::gif, std::size_t(std::max<std::int64_t>(count_, 0)),
                                          [file = file_.get()](const core::Data& bytes) { return file->write(bytes); });
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

void GIFImageWriter::leaveOutFrame()
{
    if (count_ > 0) --count_;
    if (destination_) destination_->leaveOutImage();
}

std::int64_t GIFImageWriter::framesEncoded() const
{
    return destination_ ? std::int64_t(destination_->imagesEncoded()) : 0;
}

bool GIFImageWriter::finishWriting()
{
    if (!destination_) {
        core::print("GIFImageWriter cannot finish writing, CGImageDestination is nil");
        return false;
    }
    const auto destination = std::move(destination_);
    const auto file = std::move(file_);
    if (!destination->finalize()) return false;
    if (replacesExistingFile_) {
        if (!file->publishReplacing(core::followingLinks(url_.path()).string())) return false;
        writtenURL_ = url_;
        return true;
    }
    const auto written = publishToFreeName(*FM.get(), *file, url_);
    if (written) writtenURL_ = written;
    return written.has_value();
}

}  // namespace kestrane
