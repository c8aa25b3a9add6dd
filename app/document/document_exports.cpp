#include "app/document/document_exports.h"

#include "app/document/defaults_keys.h"
#include "app/document/gif_writing.h"
#include "app/document/promised_names.h"
#include "app/document/write_failure.h"
#include "foundation/bundle_info.h"
#include "foundation/file_manager_extensions.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "foundation/time_values.h"
#include "platform/core/dispatch_group.h"
#include "platform/core/free_memory.h"
#include "platform/core/main_thread.h"
#include "platform/core/semaphore.h"

namespace vistrel {

namespace {

// How many frames of one image export may wait for or be in encoding at once, while the next is grabbed.
constexpr long framesEncodedAtOnce = 3;

// What the steps of one image export share: its format, the failure line of each snap (written by that
// snap's step alone), and the encodings still running.
struct ImageExport {
    ImageExport(kestrane::ImageFormat format, std::size_t count) : format(format), lines(count) {}

    const kestrane::ImageFormat format;
    std::vector<std::string> lines;
    std::size_t done = 0;  // main thread only
    core::Semaphore encodingSlots{framesEncodedAtOnce};
    core::DispatchGroup encodings;
};

// A snap of the export is done: the progress shows it. Counted on the main thread, so that the progress of
// snaps that end together never goes back.
void snapDone(ImageExport& job, const std::weak_ptr<DocumentWork>& document)
{
    DocumentWork::onMain(document,
                         [&](DocumentWork& d) { d.updateProgress(double(++job.done) / double(job.lines.size())); });
}

// One snap of an image export, on the export queue, with its frame at full size (null: none could be had, or
// the work stopped): written, on a global queue while the export queue takes the next frame, as a new file
// under the name promised for it (or, should something have taken that name since, the next free one).
void exportSnap(const FrameGrabber& frames, const SnapItem& item, gfx::ImageRef image, const std::string& reason,
                const core::Url& url, const std::shared_ptr<ImageExport>& job, std::size_t index,
                const std::weak_ptr<DocumentWork>& document)
{
    if (!image) {
        // Work stopped for quitting writes nothing more and reports nothing.
        if (!frames.stopped()) job->lines[index] = DocumentExports::cannotSnapLine(item, reason);
        PromisedNames::shared().release(url);
        return snapDone(*job, document);
    }
    job->encodingSlots.wait();
    job->encodings.enter();
    core::DispatchQueue::global(core::QoS::utility)->async([image = std::move(image), url, job, index, document] {
        int error = 0;
        if (!kestrane::writeToFreeName(
                *kestrane::FM.get(), url, [&] { return kestrane::data(image, job->format); }, &error))
            job->lines[index] = "Cannot export image to " + url.path() + ": " + writeFailureReason(error) + "\n";
        PromisedNames::shared().release(url);
        snapDone(*job, document);
        job->encodingSlots.signal();
        job->encodings.leave();
    });
}

}  // namespace

std::string DocumentExports::cannotSnapLine(const SnapItem& item, const std::string& reason)
{
    return "Cannot snap image at " + kestrane::hhmmssmsDesc(item.time()) + ": " + reason + "\n";
}

kestrane::ImageFormat imageFormatOf(std::int64_t raw)
{
    return kestrane::fromRawValue(std::type_identity<kestrane::ImageFormat>{}, raw)
        .value_or(kestrane::ImageFormat::png);
}

DocumentExports::DocumentExports(std::weak_ptr<DocumentWork> document, std::shared_ptr<orvalis::Movie> movie,
                                 DocumentFrames& frames)
    : document_(std::move(document)), movie_(std::move(movie)), frames_(frames)
{
}

std::shared_ptr<core::DispatchQueue> DocumentExports::exportQueue()
{
    std::call_once(exportQueueMade_, [this] {
        const std::string identifier = kestrane::MB->identifier().value_or("Vistrel");
        exportQueue_ = core::DispatchQueue::makeSerial(identifier + ".exportQueue");
    });
    return exportQueue_;
}

std::string DocumentExports::snapFileName(const SnapItem& item) const
{
    return movie_->title() + "-" + kestrane::hhmmssmsName(item.time()) + "." + kestrane::fileExtension(exportFormat_);
}

void DocumentExports::beginExporting()
{
    if (const auto document = document_.lock()) document->beginBusyWork(DocumentState::exporting);
}

std::vector<std::string> DocumentExports::exportImages(const SnapItems& snaps, const core::Url& folder)
{
    return startExport(snaps, folder, {});
}

std::vector<std::string> DocumentExports::startExport(const SnapItems& snaps, const core::Url& folder,
                                                      std::function<void(std::string&)> ended)
{
    core::assertMainThread();
    beginExporting();
    // The format travels with the steps: a later export that sets another changes nothing queued here.
    auto job = std::make_shared<ImageExport>(exportFormat_, snaps.size());
    std::vector<std::string> names;
    std::vector<core::Url> urls;
    for (const auto& snap : snaps) {
        urls.push_back(PromisedNames::shared().promise(folder, snapFileName(*snap)));
        names.push_back(urls.back().lastPathComponent());
    }
    exportQueue()->async(
        [frames = frames_.frameGrabber(), snaps, urls, job, weak = document_, ended = std::move(ended)] {
            // The frames are decoded side by side and come in the snaps' order; none from another movie now
            // under the name.
            const bool changed = frames.movieFileChanged();
            const std::unique_ptr<media::ImageJob> images = changed ? nullptr : frames.images(snaps, {});
            for (std::size_t i = 0; i < snaps.size(); ++i) {
                std::string reason = FrameGrabber::movieFileChangedReason;
                gfx::ImageRef image = changed ? nullptr : nextImage(images.get(), &reason).value_or(nullptr);
                exportSnap(frames, *snaps[i], std::move(image), reason, urls[i], job, i, weak);
            }
            job->encodings.wait();
            std::string errors;
            for (const auto& line : job->lines)
                errors += line;
            finishExport(weak, errors, ended);
        });
    return names;
}

void DocumentExports::exportGIF(const SnapItems& snaps, const core::Url& url, bool replacing)
{
    core::assertMainThread();
    beginExporting();
    core::DispatchQueue::global(core::QoS::utility)
        ->async([frames = frames_.frameGrabber(), snaps, url, replacing, weak = document_] {
            writeGIF(frames, snaps, url, replacing, weak);
            // The writer's palettes and frames are freed with it, after the job's decoders.
            core::giveFreeMemoryBack();
        });
}

std::vector<std::string> DocumentExports::exportDrop(const SnapItems& snaps, const core::Url& folder)
{
    exportFormat_ = imageFormatOf(kestrane::Defaults[PreferredImageFormatKey].intValue().value_or(0));
    ++dropExportsRunning_;
    // The end runs only while the document, and so this, is still there.
    return startExport(snaps, folder, [this](std::string& errors) {
        --dropExportsRunning_;
        if (!errors.empty()) errors += droppedNothingLine;
    });
}

}  // namespace vistrel
