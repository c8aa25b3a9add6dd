#include "platform/gfx/image_writer.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

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

void ImageWriter::setFileProperties(const FileProperties& properties)
{
    fileProperties_ = properties;
}

void ImageWriter::addImage(ImageRef image, const FrameProperties& properties)
{
    images_.emplace_back(std::move(image), properties);
}

std::optional<core::Data> ImageWriter::encode() const
{
    if (images_.size() != count_ || images_.empty()) return std::nullopt;
    if (std::any_of(images_.begin(), images_.end(), [](const auto& entry) { return !entry.first; }))
        return std::nullopt;
    if (type_ == ImageFileType::gif) {
        std::vector<codec::GIFFrame> frames;
        for (const auto& [image, properties] : images_)
            frames.push_back({image, gifDelayHundredths(properties.gifDelaySeconds)});
        return codec::encodeGIF(frames, fileProperties_.gifLoopCount);
    }
    if (images_.size() != 1) return std::nullopt;
    const auto& [image, properties] = images_.front();
    switch (type_) {
    case ImageFileType::png: return codec::encodePNG(*image);
    case ImageFileType::jpeg: return codec::encodeJPEG(*image, jpegQualityPercent(properties.jpegQuality));
    case ImageFileType::tiff: return codec::encodeTIFF(*image, properties.tiffCompression);
    case ImageFileType::gif: break;
    }
    return std::nullopt;
}

bool ImageWriter::finalize()
{
    if (finalized_) return false;
    finalized_ = true;
    auto encoded = encode();
    images_.clear();
    if (!encoded) return false;
    if (url_ && !core::writeAtomically(*encoded, *url_)) return false;
    data_ = std::move(*encoded);
    return true;
}

}  // namespace gfx
