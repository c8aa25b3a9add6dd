// The exports of one document: snaps as image files into a folder, written on the document's serial export
// queue; snaps as one animated GIF, written on a global queue (gif_writing.h); and the files of snaps dragged
// out of the strip. Frames are grabbed again, at export time, through the document's frames. Every file is
// written out of sight and takes its name only once whole, a name promised to nobody else (PromisedNames), so
// nothing already in a folder is ever replaced. Each export is busy work of the document from its start to its end,
// shows its progress there and lists its failures together in the document's export-errors sheet at its end. Held by
// its Document, which it reaches only as a DocumentWork; main thread, except where a member says otherwise.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/document/document_frames.h"
#include "app/document/document_work.h"
#include "app/document/snap_item.h"
#include "foundation/image_format.h"
#include "moviekit/movie.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/url.h"

namespace vistrel {

// The image format of a stored or sent raw value; PNG for a value that names none.
kestrane::ImageFormat imageFormatOf(std::int64_t raw);

class DocumentExports {
public:
    // The line added to the errors of a drop that failed: it hands over all the snaps dragged or none.
    static constexpr const char* droppedNothingLine = "The dragged snaps were not dropped\n";

    // The line of the errors for a snap whose frame could not be had, with the reason.
    static std::string cannotSnapLine(const SnapItem& item, const std::string& reason);

    DocumentExports(std::weak_ptr<DocumentWork> document, std::shared_ptr<orvalis::Movie> movie,
                    DocumentFrames& frames);

    // Any thread; made on first use and kept.
    std::shared_ptr<core::DispatchQueue> exportQueue();

    // The format of the image exports started from now on; PNG at first.
    void setExportFormat(kestrane::ImageFormat format) { exportFormat_ = format; }
    // "<movie title>-<hh-mm-ss-mmm>.<extension of exportFormat>".
    std::string snapFileName(const SnapItem& item) const;

    // Starts writing the snaps, in order, as image files of exportFormat into the folder on the export queue,
    // and returns at once the names the files get there, one per snap: each free of the folder's files and
    // of every name that exports still have to write, and never in place of anything.
    std::vector<std::string> exportImages(const SnapItems& snaps, const core::Url& folder);
    // Starts writing the frames, in order, into one animated GIF on a global queue: in place of the file at the
    // URL when `replacing` (the user said so), else at the URL or, when something is there by then, at the
    // next free name beside it.
    void exportGIF(const SnapItems& snaps, const core::Url& url, bool replacing = false);
    // Writes dragged snaps as image files of the preferred format; when any of them fails, the errors end with
    // droppedNothingLine.
    std::vector<std::string> exportDrop(const SnapItems& snaps, const core::Url& folder);
    // Whether every drop's files are written (or have failed).
    bool dropsSettled() const { return dropExportsRunning_ == 0; }

private:
    // Starts an image export; `ended` runs on the main thread at its end, before its errors are shown.
    std::vector<std::string> startExport(const SnapItems& snaps, const core::Url& folder,
                                         std::function<void(std::string& errors)> ended);
    // The document's busy work of exporting begins.
    void beginExporting();

    const std::weak_ptr<DocumentWork> document_;
    const std::shared_ptr<orvalis::Movie> movie_;
    DocumentFrames& frames_;
    kestrane::ImageFormat exportFormat_ = kestrane::ImageFormat::png;
    // Exports of dropped snaps still writing.
    std::size_t dropExportsRunning_ = 0;
    std::once_flag exportQueueMade_;
    std::shared_ptr<core::DispatchQueue> exportQueue_;
};

}  // namespace vistrel
