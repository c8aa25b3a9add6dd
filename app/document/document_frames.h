// The frames of one document's movie: the one Thumbnailer that grabs them, used only on the document's serial
// thumbnail queue (so its edition and size are set right before each grab, without a lock), the size of the
// strip's miniatures, and the grabs that run there: a new snap's miniature, the miniatures of a list, and a
// snap at full size. Grabs run one at a time in the order queued; what they hand back reaches the main thread
// while the queue waits, so nothing on the main thread may wait for that queue. Held by its Document; main
// thread, except where a member says otherwise.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "app/document/frame_grabber.h"
#include "app/document/snap_item.h"
#include "moviekit/movie.h"
#include "moviekit/thumbnailer.h"
#include "platform/core/dispatch_queue.h"

namespace vistrel {

class DocumentFrames {
public:
    // The square a miniature fits in, in points (times the screens' largest scale).
    static constexpr double miniatureSide = 300;

    // Nothing is made yet; `stopFlag` is the document's, set when its busy work is to stop.
    DocumentFrames(std::shared_ptr<orvalis::Movie> movie, std::shared_ptr<const std::atomic<bool>> stopFlag);

    // Any thread; each made on first use and kept.
    std::shared_ptr<core::DispatchQueue> thumbnailQueue();
    gfx::Size miniatureThumbnailSize();
    FrameGrabber frameGrabber();

    // The miniature of a new snap on the thumbnail queue; then `filled` on the main thread.
    void fillMiniature(const std::shared_ptr<SnapItem>& item, std::function<void()> filled);

    // What the miniatures of a list report, on the main thread.
    struct MiniaturesReport {
        // The fraction done: 0 first, then after each snap; posted without the queue waiting.
        std::function<void(double done)> progress;
        // Snaps whose miniatures are in, in the order of the list; `last` for the final call, which may
        // hand none. The queue waits for it.
        std::function<void(const SnapItems& ready, bool last)> ready;
    };
    // The miniatures of a list on the thumbnail queue. The snaps are handed over all at once at the end, or,
    // `inStages`, as they are ready (at most twice a second). Work stopped by the stop flag hands over what it
    // has done.
    void fillMiniatures(const SnapItems& items, bool inStages, MiniaturesReport report);

    // The full-size image, grabbed on the thumbnail queue and handed to `completion` on the main thread.
    void fullImage(const std::shared_ptr<SnapItem>& item, std::function<void(const gfx::ImageRef&)> completion);

private:
    std::shared_ptr<orvalis::Thumbnailer> thumbnailer();

    const std::shared_ptr<orvalis::Movie> movie_;
    const std::shared_ptr<const std::atomic<bool>> stopFlag_;
    std::once_flag thumbnailerMade_, thumbnailQueueMade_, miniatureSizeMade_;
    std::shared_ptr<orvalis::Thumbnailer> thumbnailer_;
    std::shared_ptr<core::DispatchQueue> thumbnailQueue_;
    gfx::Size miniatureThumbnailSize_;
};

}  // namespace vistrel
