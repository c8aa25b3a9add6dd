#include "app/document/frame_grabber.h"

#include "platform/core/error.h"
#include "platform/core/main_queue.h"
#include "platform/core/print.h"

namespace vistrel {

gfx::ImageRef grabFrame(orvalis::Thumbnailer& thumbnailer, const SnapItem& item, const gfx::Size& maximumSize)
{
    thumbnailer.setEdition(item.edition());
    thumbnailer.setMaximumSize(maximumSize);
    try {
        return thumbnailer.accurateImage(item.time());
    } catch (const core::Error&) {
        // A frame that cannot be had gives no image.
        return nullptr;
    }
}

gfx::ImageRef FrameGrabber::image(const SnapItem& item, double side) const
{
    // The queue may be waiting for the main thread: from there this would wait for good.
    if (core::MainQueue::isMainThread())
        core::fatalError("FrameGrabber::image is called on the main thread, which the thumbnail queue waits for");
    gfx::ImageRef image;
    if (stopped()) return image;
    const gfx::Size bound = side > 0 ? gfx::Size{side, side} : gfx::Size{};
    queue->sync([&] { image = grabFrame(*thumbnailer, item, bound); });
    return image;
}

}  // namespace vistrel
