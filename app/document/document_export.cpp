// The document's exports: snaps as image files into a chosen folder, all snaps as an animated GIF, the
// selected snap on the clipboard or in the sharing menu, and the files of a drag out of the strip. Image
// files are written on the export queue and the GIF on a global queue, with the frames grabbed again on the
// thumbnail queue; every file is written out of sight and takes its name only once whole, a name nobody else
// has, so nothing already in a folder is ever replaced.
#include <algorithm>

#include "app/document/defaults_keys.h"
#include "app/document/document.h"
#include "app/document/export_names.h"
#include "app/document/flash_movie_view.h"
#include "app/document/gif_exporter_controller.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "appkit/sharing_extensions.h"
#include "foundation/bundle_info.h"
#include "foundation/file_manager_extensions.h"
#include "foundation/gif_image_writer.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "foundation/time_values.h"
#include "platform/core/dispatch_group.h"
#include "platform/core/semaphore.h"
#include "numerics/size_geometry.h"
#include "platform/ui/application.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/pasteboard.h"
#include "platform/ui/save_panel.h"

namespace vistrel {

namespace {

// The image format of a stored or sent raw value; PNG for a value that names none.
kestrane::ImageFormat imageFormat(std::int64_t raw)
{
    return kestrane::fromRawValue(std::type_identity<kestrane::ImageFormat>{}, raw).value_or(kestrane::ImageFormat::png);
}

// The format a command's sender names by its tag.
kestrane::ImageFormat senderFormat(const std::shared_ptr<core::Object>& sender)
{
    if (const auto item = std::dynamic_pointer_cast<ui::MenuItem>(sender)) return imageFormat(item->tag());
    if (const auto control = std::dynamic_pointer_cast<ui::Control>(sender)) return imageFormat(control->tag());
    return kestrane::ImageFormat::png;
}

// The drop of dragged snaps hands over all of them or none.
constexpr const char* droppedNothingLine = "The dragged snaps were not dropped\n";

std::string cannotSnapLine(const SnapItem& item) { return "Cannot snap image at " + kestrane::hhmmssmsDesc(item.time()) + "\n"; }

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
void snapDone(ImageExport& job, const std::weak_ptr<Document>& document)
{
    Document::onMain(document, [&](Document& d) { d.updateProgress(double(++job.done) / double(job.lines.size())); });
}

// One snap of an image export, on the export queue: its frame at full size, then, on a global queue while
// the export queue grabs the next frame, written as a new file under the name promised for it (or, should
// something have taken that name since, the next free one).
void exportSnap(const Document::FrameGrabber& frames, const SnapItem& item, const core::Url& url,
                const std::shared_ptr<ImageExport>& job, std::size_t index, const std::weak_ptr<Document>& document)
{
    gfx::ImageRef image = frames.image(item, 0);
    if (!image) {
        // Work stopped for quitting writes nothing more and reports nothing.
        if (!frames.stopped()) job->lines[index] = cannotSnapLine(item);
        ExportNames::shared().release(url);
        return snapDone(*job, document);
    }
    job->encodingSlots.wait();
    job->encodings.enter();
    core::DispatchQueue::global(core::QoS::utility)->async([image = std::move(image), url, job, index, document] {
        if (!kestrane::writeToFreeName(*kestrane::FM.get(), url, [&] { return kestrane::data(image, job->format); }))
            job->lines[index] = "Cannot export image to " + url.path() + "\n";
        ExportNames::shared().release(url);
        snapDone(*job, document);
        job->encodingSlots.signal();
        job->encodings.leave();
    });
}

// The end of an export on its queue: `ended` told, its errors shown, its busy work over.
void finishExport(const std::weak_ptr<Document>& document, std::string errors,
                  const std::function<void(Document&, std::string&)>& ended = {})
{
    Document::onMain(document, [&](Document& d) {
        if (ended) ended(d, errors);
        d.showExportErrors(errors);
        d.endBusyWork(DocumentState::exporting);
    });
}

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

// Writes the animated GIF, on a global queue, frame by frame as each is grabbed within the size of the user
// defaults, so that only a few frames are held whatever their number. A frame that cannot be had is reported
// and left out, and the file holds the others; frames of another size than the first (a snap turned by its
// edition) are fitted into the first one's size. The progress counts each frame twice, once grabbed and once
// encoded, and the file's naming last: it reaches the end only once the file is in place.
void writeGIF(const Document::FrameGrabber& frames, const SnapItems& snaps, const core::Url& url, bool replacing,
              const std::weak_ptr<Document>& document)
{
    const double delay = kestrane::Defaults[TimeLapseIntervalKey].doubleValue().value_or(0.1);
    const double side = kestrane::Defaults[TimeLapseMaxSizeKey].cgfloat().value_or(0);
    kestrane::GIFImageWriter writer(std::int64_t(snaps.size()));
    writer.setReplacesExistingFile(replacing);
    std::string errors;
    if (!writer.startWriting(url)) errors += "Cannot create writer at " + url.path() + "\n";
    const media::Time interval = kestrane::TimeStatics::withSeconds(delay);
    std::optional<gfx::Size> frameSize;
    std::size_t leftOut = 0;
    for (std::size_t i = 0; i < snaps.size(); ++i) {
        const gfx::ImageRef image = frames.image(*snaps[i], side);
        // Stopped for quitting: the unfinished file goes with the writer.
        if (frames.stopped()) return finishExport(document, {});
        if (!image) {
            errors += cannotSnapLine(*snaps[i]);
            writer.leaveOutFrame();
            ++leftOut;
        } else {
            if (!frameSize) frameSize = kestrane::size(image);
            if (!writer.addImage(toSize(image, *frameSize), interval))
                errors += "Cannot add image at " + kestrane::hhmmssmsDesc(snaps[i]->time()) + "\n";
        }
        const double done = double(i + 1 + leftOut + std::size_t(writer.framesEncoded()));
        Document::onMain(document, [&](Document& d) { d.updateProgress(done / double(2 * snaps.size() + 1)); });
    }
    if (!writer.finishWriting()) errors += "Cannot finish writing\n";
    finishExport(document, errors);
}

// Asks for a folder in a sheet, then exports the selected snaps, or all, in the format into it.
void chooseFolderThenExport(Document& document, kestrane::ImageFormat format, const std::string& promptKey, bool all)
{
    auto panel = core::make<ui::OpenPanel>();
    panel->setCanChooseFiles(false);
    panel->setCanChooseDirectories(true);
    panel->setCanCreateDirectories(true);
    panel->setPrompt(kestrane::local(*kestrane::MB.get(), promptKey));
    std::weak_ptr<Document> weak = document.sharedAs<Document>();
    panel->beginSheetModal(document.mainWindow, [weak, panel, format, all](ui::ModalResponse response) {
        const auto self = weak.lock();
        if (!self || response != ui::ModalResponses::ok) return;
        self->setExportFormat(format);
        const auto folder = panel->url();
        if (!folder) return;
        const auto& manager = *self->snapsManager();
        self->asyncExport(all ? manager.items() : manager.selectedItems(), *folder);
    });
}

}  // namespace

// Image files.

void Document::exportAsImage(const std::shared_ptr<core::Object>& sender)
{
    chooseFolderThenExport(*this, senderFormat(sender), "Document.ExportAsImage.PromptTitle", false);
}

void Document::exportAllAsImage(const std::shared_ptr<core::Object>& sender)
{
    chooseFolderThenExport(*this, senderFormat(sender), "Document.ExportAllAsImage.PromptTitle", true);
}

std::vector<std::string> Document::asyncExport(const SnapItems& snaps, const core::Url& folder)
{
    return startExport(snaps, folder, {});
}

std::vector<std::string> Document::startExport(const SnapItems& snaps, const core::Url& folder,
                                               std::function<void(Document&, std::string&)> ended)
{
    beginBusyWork(DocumentState::exporting);
    // The format travels with the steps: a later export that sets another changes nothing queued here.
    auto job = std::make_shared<ImageExport>(exportFormat_, snaps.size());
    const std::weak_ptr<Document> weak = sharedAs<Document>();
    const FrameGrabber frames = frameGrabber();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < snaps.size(); ++i) {
        const core::Url url = ExportNames::shared().promise(folder, snapFileName(*snaps[i]));
        names.push_back(url.lastPathComponent());
        exportQueue()->async([frames, item = snaps[i], url, job, i, weak] { exportSnap(frames, *item, url, job, i, weak); });
    }
    exportQueue()->async([weak, job, ended = std::move(ended)] {
        job->encodings.wait();
        std::string errors;
        for (const auto& line : job->lines) errors += line;
        finishExport(weak, errors, ended);
    });
    return names;
}

// The animated GIF.

std::shared_ptr<GIFExporterController> Document::gifSheetWindowController()
{
    if (!gifSheetWindowController_) gifSheetWindowController_ = GIFExporterController::create();
    return gifSheetWindowController_;
}

void Document::exportAllAsGIF(const std::shared_ptr<core::Object>&)
{
    // One sheet at a time: the command again while it is up (or waiting to be) does nothing.
    if (gifSheetUp_) return;
    auto controller = gifSheetWindowController();
    controller->setSnapItems(snapsManager_->items());
    controller->setSaveName(movie_->filename());
    gifSheetUp_ = true;
    std::weak_ptr<Document> weak = sharedAs<Document>();
    mainWindow->beginSheet(controller->window(), [weak](ui::ModalResponse returnCode) {
        const auto self = weak.lock();
        if (!self) return;
        self->gifSheetUp_ = false;
        // The frames as the user left them, read before the sheet empties its list.
        const auto sheet = self->gifSheetWindowController();
        if (!sheet->fileURL() || returnCode != ui::ModalResponses::ok) return;
        self->asyncExportAsGIF(sheet->snapItems(), *sheet->fileURL(), sheet->replacesFile());
    });
}

void Document::asyncExportAsGIF(const SnapItems& snaps, const core::Url& url, bool replacing)
{
    beginBusyWork(DocumentState::exporting);
    const std::weak_ptr<Document> weak = sharedAs<Document>();
    core::DispatchQueue::global(core::QoS::utility)->async(
        [frames = frameGrabber(), snaps, url, replacing, weak] { writeGIF(frames, snaps, url, replacing, weak); });
}

// The clipboard and sharing.

void Document::copySelectedItem(const std::shared_ptr<core::Object>&)
{
    const auto item = snapsManager_->firstSelectedItem();
    if (!item) return ui::beep();
    fullImage(item, [](const gfx::ImageRef& image) {
        const auto png = image ? kestrane::PNGData(image) : std::nullopt;
        if (!png) return;
        const auto pasteboard = ui::Pasteboard::general();
        pasteboard->clearContents();
        pasteboard->setData(*png, ui::PasteboardType::png);
    });
}

void Document::showShareMenu(const std::shared_ptr<core::Object>&)
{
    if (snapsManager_->isSelectionEmpty()) return ui::beep();
    if (!snapsManager_->isSelectionSingle()) {
        sharingPicker_ = core::make<ui::SharingServicePicker>(std::vector<ui::SharingItem>{});
        kestrane::showAtTop(*sharingPicker_, shareButton);
        return;
    }
    std::weak_ptr<Document> weak = sharedAs<Document>();
    fullImage(snapsManager_->firstSelectedItem(), [weak](const gfx::ImageRef& image) {
        const auto self = weak.lock();
        if (!self) return;
        if (!image) return ui::beep();
        self->sharingPicker_ = core::make<ui::SharingServicePicker>(std::vector{ui::SharingItem{.image = image, .url = std::nullopt, .text = {}}});
        self->sharingPicker_->setDelegate(self);
        kestrane::showAtTop(*self->sharingPicker_, self->shareButton);
    });
}

gfx::Rect Document::sharingSourceFrame(const ui::SharingItem& item) const
{
    if (!item.image || !movieView || !mainWindow) return {};
    return mainWindow->convertRectToScreen(movieView->convertRectTo(movieView->videoRect(), nullptr));
}

std::shared_ptr<ui::SharingServiceDelegate> Document::delegateForSharingService(ui::SharingServicePicker&, ui::SharingService&)
{
    return sharedAs<Document>();
}

gfx::Rect Document::sourceFrameOnScreenForShareItem(ui::SharingService&, const ui::SharingItem& item)
{
    return sharingSourceFrame(item);
}

gfx::ImageRef Document::transitionImageForShareItem(ui::SharingService&, const ui::SharingItem& item, gfx::Rect*)
{
    return item.image;
}

std::shared_ptr<ui::Window> Document::sourceWindowForShareItems(ui::SharingService&, const std::vector<ui::SharingItem>&, int*)
{
    return mainWindow;
}

// Dragging out of the strip.

std::optional<std::vector<std::string>> Document::snapsViewDropSelectionTo(SnapsView& view, const core::Url& folder)
{
    exportFormat_ = imageFormat(kestrane::Defaults[PreferredImageFormatKey].intValue().value_or(0));
    const core::IndexSet& dragged = view.draggedIndexes().isEmpty() ? snapsManager_->selection() : view.draggedIndexes();
    const SnapItems& items = snapsManager_->items();
    SnapItems snaps;
    for (const long k : dragged)
        if (k >= 0 && std::size_t(k) < items.size()) snaps.push_back(items[std::size_t(k)]);
    ++dropExportsRunning_;
    return startExport(snaps, folder, [](Document& document, std::string& errors) {
        --document.dropExportsRunning_;
        if (!errors.empty()) errors += droppedNothingLine;
    });
}

void Document::snapsViewDroppedFilesWithheld(SnapsView&)
{
    // When the writing failed, its errors say so at its end; here it took too long.
    if (dropExportsRunning_ > 0) showExportErrors(droppedNothingLine);
}

}  // namespace vistrel
