#include "app/document/gif_writing.h"

#include "app/document/defaults_keys.h"
#include "app/document/document_exports.h"
#include "foundation/gif_image_writer.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "foundation/time_values.h"
#include "numerics/size_geometry.h"

namespace vistrel {

namespace {

// The image brought to `size`: as it is when it has that size, else fitted in, centred on black.
gfx::ImageRef toSize(const gfx::ImageRef& image, const gfx::Size& size)
{
    if (kestrane::size(image) == size) return image;
    const gfx::Rect box = kestrane::fitting(kestrane::size(image), gfx::Rect{{0, 0}, size});
    return kestrane::CGImage::drawWith(size, [&](gfx::Context& context) {
        context.setFillColor(gfx::Color::black());
        context.fillRect({{0, 0}, size});
        context.drawImage(image, box);
    });
}

}  // namespace

void writeGIF(const FrameGrabber& frames, const SnapItems& snaps, const core::Url& url, bool replacing,
              const std::weak_ptr<DocumentWork>& document)
{
    const double delay = kestrane::Defaults[TimeLapseIntervalKey].doubleValue().value_or(0.1);
    const double side = kestrane::Defaults[TimeLapseMaxSizeKey].cgfloat().value_or(0);
    kestrane::GIFImageWriter writer(std::int64_t(snaps.size()));
    writer.setReplacesExistingFile(replacing);
    std::string errors;
    // Frames of another movie now under the name would not be the snaps'.
    if (frames.movieFileChanged()) {
        for (const auto& snap : snaps)
            errors += DocumentExports::cannotSnapLine(*snap, FrameGrabber::movieFileChangedReason);
        return finishExport(document, errors);
    }
    if (!writer.startWriting(url)) errors += "Cannot create writer at " + url.path() + "\n";
    const media::Time interval = kestrane::TimeStatics::withSeconds(delay);
    std::optional<gfx::Size> frameSize;
    std::size_t leftOut = 0;
    // The encoder is slower than one decoder: more would only hold more frames.
    const std::unique_ptr<media::ImageJob> images =
        frames.images(snaps, side > 0 ? gfx::Size{side, side} : gfx::Size{}, 1);
    for (std::size_t i = 0; i < snaps.size(); ++i) {
        std::string reason;
        const std::optional<gfx::ImageRef> next = nextImage(images.get(), &reason);
        // Stopped for quitting: the unfinished file goes with the writer.
        if (frames.stopped() || !next) return finishExport(document, {});
        const gfx::ImageRef& image = *next;
        if (!image) {
            errors += DocumentExports::cannotSnapLine(*snaps[i], reason);
            writer.leaveOutFrame();
            ++leftOut;
        } else {
            if (!frameSize) frameSize = kestrane::size(image);
            if (!writer.addImage(toSize(image, *frameSize), interval))
                errors += "Cannot add image at " + kestrane::hhmmssmsDesc(snaps[i]->time()) + "\n";
        }
        const double done = double(i + 1 + leftOut + std::size_t(writer.framesEncoded()));
        DocumentWork::onMain(document, [&](DocumentWork& d) { d.updateProgress(done / double(2 * snaps.size() + 1)); });
    }
    if (!writer.finishWriting()) errors += "Cannot finish writing\n";
    finishExport(document, errors);
}

}  // namespace vistrel
