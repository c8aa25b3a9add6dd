// Writes images into one file of a given type, or into memory: PNG, JPEG and TIFF hold one image, GIF holds
// an animation. Images are encoded when finalize() is called; a file is written to a temporary file in the
// same folder and renamed over the target only when everything succeeded, so no partial file is ever left
// and an existing file is replaced whole or not at all. Serves one thread at a time.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "platform/core/data.h"
#include "platform/core/object.h"
#include "platform/core/url.h"
#include "platform/gfx/image.h"
#include "platform/gfx/image_file_type.h"

namespace gfx {

// Properties of the whole file.
struct FileProperties {
    // GIF: how many times the animation repeats, 0 for ever; none writes no loop extension.
    std::optional<int> gifLoopCount;
};

// Properties of one image.
struct FrameProperties {
    // JPEG: 0 to 1, clamped; NaN reads as 1.
    double jpegQuality = 1.0;
    // TIFF: the compression code (1 none, 5 LZW).
    int tiffCompression = 1;
    // GIF: how long the frame shows; stored in hundredths, rounded and clamped (negative or NaN: 0).
    double gifDelaySeconds = 0;
};

class ImageWriter : public core::Object {
public:
    // Null when the URL is no file URL or its folder does not exist.
    static std::shared_ptr<ImageWriter> create(const core::Url& url, ImageFileType type, std::size_t count);
    static std::shared_ptr<ImageWriter> createInMemory(ImageFileType type, std::size_t count);

    void setFileProperties(const FileProperties& properties);
    // A null image makes finalize() fail.
    void addImage(ImageRef image, const FrameProperties& properties = {});
    // Encodes and writes. False when the images added are not `count`, or encoding or writing fails.
    bool finalize();
    // The encoded bytes after a successful finalize().
    const core::Data& data() const { return data_; }

    ImageWriter(std::optional<core::Url> url, ImageFileType type, std::size_t count);

private:
    std::optional<core::Data> encode() const;

    std::optional<core::Url> url_;
    ImageFileType type_;
    std::size_t count_;
    FileProperties fileProperties_;
    std::vector<std::pair<ImageRef, FrameProperties>> images_;
    bool finalized_ = false;
    core::Data data_;
};

// Hundredths of a second from seconds: rounded, clamped to 0...65535, negative and NaN giving 0.
int gifDelayHundredths(double seconds);
// libjpeg's quality 0...100 from 0...1: rounded, clamped, NaN giving 100.
int jpegQualityPercent(double quality);

}  // namespace gfx
