// The writing of one animated GIF of a document's snaps, on a global queue, as the busy work of exporting of
// the document that started it. Any thread but the main one.
#pragma once

#include <memory>

#include "app/document/document_work.h"
#include "app/document/frame_grabber.h"
#include "app/document/snap_item.h"
#include "platform/core/url.h"

namespace vistrel {

// Writes the animated GIF, on a global queue, frame by frame as each is grabbed within the size of the user
// defaults, so that only a few frames are held whatever their number. A frame that cannot be had is reported
// and left out, and the file holds the others; frames of another size than the first (a snap turned by its
// edition) are fitted into the first one's size. The progress counts each frame twice, once grabbed and once
// encoded, and the file's naming last: it reaches the end only once the file is in place.
void writeGIF(const FrameGrabber& frames, const SnapItems& snaps, const core::Url& url, bool replacing,
              const std::weak_ptr<DocumentWork>& document);

}  // namespace vistrel
