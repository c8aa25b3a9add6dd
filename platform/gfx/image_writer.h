// Writes images into one file of a given type, into memory or into a sink: PNG, JPEG and TIFF hold one image,
// encoded when finalize() is called; GIF holds an animation, encoded frame by frame as the images are added,
// so that only a few frames are held at a time. A file is written to a temporary file in the same folder and
// renamed over the target only when everything succeeded, so no partial file is ever left and an existing
// file is replaced whole or not at all. Serves one thread at a time.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/core/data.h"
#include "platform/core/object.h"
#include "platform/core/url.h"
#include "platform/gfx/image.h"
#include "platform/gfx/image_file_type.h"

namespace core {
class UnpublishedFile;
}

namespace gfx {

namespace codec {
class GIFEncoder;
}

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
    // Takes the next bytes of the file; false when it cannot, which fails the writing.
    using Sink = std::function<bool(const core::Data& bytes)>;

    // Null when the URL is no file URL or its folder does not exist.
    [[nodiscard]] static std::shared_ptr<ImageWriter> create(const core::Url& url, ImageFileType type,
                                                             std::size_t count);
    static std::shared_ptr<ImageWriter> createInMemory(ImageFileType type, std::size_t count);
    // The bytes go to the sink as they are made (a GIF's frame by frame), and data() stays empty.
    static std::shared_ptr<ImageWriter> createStreaming(ImageFileType type, std::size_t count, Sink sink);

    // Before the first image.
    void setFileProperties(const FileProperties& properties);
    // A null image makes finalize() fail. A GIF frame is encoded at once (waiting for an earlier one when a few
    // are being encoded already).
    void addImage(ImageRef image, const FrameProperties& properties = {});
    // One image fewer than announced will be added.
    void leaveOutImage();
    // Encodes and writes. False when the images added are not `count`, or encoding or writing fails.
    [[nodiscard]] bool finalize();
    // The encoded bytes after a successful finalize() into memory.
    const core::Data& data() const { return data_; }
    // How many images are encoded and in the file's hands so far.
    std::size_t imagesEncoded() const;

    ImageWriter(std::optional<core::Url> url, ImageFileType type, std::size_t count);
    ~ImageWriter() override;

private:
    std::optional<core::Data> encode() const;
    // GIF: the encoder, made for the first frame, writing to the sink, the file or memory.
    [[nodiscard]] bool startGIF();
    [[nodiscard]] bool finalizeGIF();

    std::optional<core::Url> url_;
    ImageFileType type_;
    std::size_t count_;
    Sink sink_;
    FileProperties fileProperties_;
    std::vector<std::pair<ImageRef, FrameProperties>> images_;
    std::unique_ptr<core::UnpublishedFile> file_;
    std::unique_ptr<codec::GIFEncoder> gif_;
    std::size_t added_ = 0;
    bool failed_ = false;
    bool finalized_ = false;
    core::Data data_;
};

// Hundredths of a second from seconds: rounded, clamped to 0...65535, negative and NaN giving 0.
int gifDelayHundredths(double seconds);
// libjpeg's quality 0...100 from 0...1: rounded, clamped, NaN giving 100.
int jpegQualityPercent(double quality);

}  // namespace gfx
