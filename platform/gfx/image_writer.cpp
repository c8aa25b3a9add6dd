#include "platform/gfx/image_writer.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/core/unpublished_file.h"
#include "platform/gfx/gif_codec.h"
#include "platform/gfx/jpeg_codec.h"
#include "platform/gfx/png_codec.h"
#include "platform/gfx/tiff_codec.h"

namespace gfx {

int gifDelayHundredths(double seconds)
{
    if (std::isnan(seconds) || seconds <= 0) return 0;
    return int(std::lround(std::min(seconds * 100.0, 65535.0)));
}

int jpegQualityPercent(double quality)
{
    if (std::isnan(quality)) return 100;
    return int(std::lround(std::clamp(quality, 0.0, 1.0) * 100.0));
}

ImageWriter::ImageWriter(std::optional<core::Url> url, ImageFileType type, std::size_t count)
    : url_(std::move(url)), type_(type), count_(count)
{
}

std::shared_ptr<ImageWriter> ImageWriter::create(const core::Url& url, ImageFileType type, std::size_t count)
{
    if (!url.isFileURL()) return nullptr;
    std::error_code error;
    const auto folder = std::filesystem::path(url.path()).parent_path();
    if (!std::filesystem::is_directory(folder, error)) return nullptr;
    return core::make<ImageWriter>(url, type, count);
}

std::shared_ptr<ImageWriter> ImageWriter::createInMemory(ImageFileType type, std::size_t count)
{
    return core::make<ImageWriter>(std::nullopt, type, count);
}

std::shared_ptr<ImageWriter> ImageWriter::createStreaming(ImageFileType type, std::size_t count, Sink sink)
{
    auto writer = core::make<ImageWriter>(std::nullopt, type, count);
    writer->sink_ = std::move(sink);
    return writer;
}

ImageWriter::~ImageWriter() = default;

void ImageWriter::setFileProperties(const FileProperties& properties) { fileProperties_ = properties; }

void ImageWriter::addImage(ImageRef image, const FrameProperties& properties)
{
    ++added_;
    if (type_ != ImageFileType::gif) {
        images_.emplace_back(std::move(image), properties);
        return;
    }
    if (failed_ || finalized_ || added_ > count_ || !image || (!gif_ && !startGIF()) ||
        !gif_->add(image, gifDelayHundredths(properties.gifDelaySeconds)))
        failed_ = true;
}

void ImageWriter::leaveOutImage()
{
    if (count_ > 0) --count_;
}

std::size_t ImageWriter::imagesEncoded() const
{
    if (gif_) return gif_->framesWritten();
    return finalized_ && !failed_ ? count_ : 0;
}

bool ImageWriter::startGIF()
{
    Sink sink = sink_;
    if (url_) {
        const std::filesystem::path target = core::followingLinks(url_->path());
        file_ = core::UnpublishedFile::create(target.parent_path().string(), target.filename().string());
        if (!file_) return false;
        sink = [file = file_.get()](const core::Data& bytes) { return file->write(bytes); };
    } else if (!sink) {
        sink = [this](const core::Data& bytes) {
            data_.insert(data_.end(), bytes.begin(), bytes.end());
            return true;
        };
    }
    gif_ = std::make_unique<codec::GIFEncoder>(std::move(sink), fileProperties_.gifLoopCount);
    return true;
}

bool ImageWriter::finalizeGIF()
{
    const bool encoded = !failed_ && gif_ && added_ == count_ && gif_->finish();
    if (!encoded) data_.clear();
    if (!encoded || !file_) return encoded;
    const bool published = file_->publishReplacing(core::followingLinks(url_->path()).string());
    file_.reset();
    return published;
}

std::optional<core::Data> ImageWriter::encode() const
{
    if (images_.size() != count_ || images_.size() != 1 || !images_.front().first) return std::nullopt;
    const auto& [image, properties] = images_.front();
    switch (type_) {
    case ImageFileType::png:
        return codec::encodePNG(*image);
    case ImageFileType::jpeg:
        return codec::encodeJPEG(*image, jpegQualityPercent(properties.jpegQuality));
    case ImageFileType::tiff:
        return codec::encodeTIFF(*image, properties.tiffCompression);
    case ImageFileType::gif:
        break;
    }
    return std::nullopt;
}

bool ImageWriter::finalize()
{
    if (finalized_) return false;
    finalized_ = true;
    if (type_ == ImageFileType::gif) {
        const bool ok = finalizeGIF();
        failed_ = !ok;
        return ok;
    }
    auto encoded = encode();
    images_.clear();
    if (!encoded) return false;
    if (sink_) return sink_(*encoded);
    if (url_ && !core::writeAtomically(*encoded, *url_)) return false;
    data_ = std::move(*encoded);
    return true;
}

}  // namespace gfx
