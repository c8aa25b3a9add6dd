// A document's frames for work off the main thread: its thumbnailer, used only on its serial thumbnail queue,
// and the flag that stops its busy work. Work that outlives a turn of the main loop keeps one of these (a
// cheap copy) rather than the document. `image` is for the export queue and the global queues: it waits for
// the thumbnail queue, whose work waits for the main thread, so it stops the program when called there.
#pragma once

#include <atomic>
#include <memory>

#include "app/document/snap_item.h"
#include "moviekit/thumbnailer.h"
#include "platform/core/dispatch_queue.h"

namespace vistrel {

// The frame at exactly the snap's time through its edition, within `maximumSize` (empty: full size); null
// when it cannot be had. On the thumbnail queue only.
gfx::ImageRef grabFrame(orvalis::Thumbnailer& thumbnailer, const SnapItem& item, const gfx::Size& maximumSize);

struct FrameGrabber {
    std::shared_ptr<orvalis::Thumbnailer> thumbnailer;
    std::shared_ptr<core::DispatchQueue> queue;
    // Set when the document's busy work is to stop.
    std::shared_ptr<const std::atomic<bool>> stopFlag;

    // The snap's image within a square of that side (0 or less: full size), grabbed on the queue while the
    // caller waits; null when it cannot be had, or once the work is to stop. Never on the main thread.
    gfx::ImageRef image(const SnapItem& item, double side) const;
    // Any thread.
    bool stopped() const { return stopFlag && stopFlag->load(); }
};

}  // namespace vistrel
