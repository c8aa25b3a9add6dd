// A document's frames for work off the main thread: its movie, whose frames jobs decode, and the flag that stops
// its busy work. Work that outlives a turn of the main loop keeps one of these (a cheap copy) rather than the
// document.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "app/document/snap_item.h"
#include "moviekit/thumbnailer.h"
#include "platform/media/image_job.h"

namespace vistrel {

// The frame at exactly the snap's time through its edition, within `maximumSize` (empty: full size); null
// when it cannot be had. On the thumbnail queue only.
gfx::ImageRef grabFrame(orvalis::Thumbnailer& thumbnailer, const SnapItem& item, const gfx::Size& maximumSize);

// The next image of a job from FrameGrabber::images (null for a movie without video): null when it cannot be
// had, and then `reason`, when given, says why in words; none once the job has stopped.
std::optional<gfx::ImageRef> nextImage(media::ImageJob* job, std::string* reason = nullptr);

struct FrameGrabber {
    std::shared_ptr<orvalis::Movie> movie;
    // Set when the document's busy work is to stop.
    std::shared_ptr<const std::atomic<bool>> stopFlag;

    // Any thread.
    bool stopped() const { return stopFlag && stopFlag->load(); }
    // Any thread: another file is under the movie's name since the document opened it, so its frames are not
    // the snaps' any more (asked of the file system).
    bool movieFileChanged() const;
    static constexpr const char* movieFileChangedReason = "the movie file changed since the snaps were taken";
    // The snaps' frames through their editions within `maximumSize` (empty: full size), decoded side by side and
    // handed out in the snaps' order by a job of its own that stops with the document's busy work; null when the
    // movie has no video that decodes. Any thread but the main one, which would wait for the decoding: there it
    // stops the program.
    // `mostDecoders` (above 0) bounds the job's decoders.
    std::unique_ptr<media::ImageJob> images(const SnapItems& items, const gfx::Size& maximumSize,
                                            int mostDecoders = 0) const;
};

}  // namespace vistrel
