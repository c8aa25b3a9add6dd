#include "app/document/frame_grabber.h"

#include "moviekit/movie.h"
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

std::optional<gfx::ImageRef> nextImage(media::ImageJob* job, std::string* reason)
{
    std::string ignored;
    std::string& why = reason ? *reason : ignored;
    if (!job) {
        why = "the movie has no video that can be decoded";
        return gfx::ImageRef();
    }
    std::optional<media::ImageJob::Image> answer = job->next();
    if (!answer) return std::nullopt;
    if (!answer->image) why = answer->error ? answer->error->message() : "no picture was decoded there";
    return std::move(answer->image);
}

bool FrameGrabber::movieFileChanged() const { return movie && movie->avasset()->fileChanged(); }

std::unique_ptr<media::ImageJob> FrameGrabber::images(const SnapItems& items, const gfx::Size& maximumSize,
                                                      int mostDecoders) const
{
    // A job decodes the movie's last stretch to check the times past its stated end, and its taker waits for the
    // frames: the window would stand still.
    if (core::MainQueue::isMainThread())
        core::fatalError("FrameGrabber::images is called on the main thread, where it would wait for decoding");
    std::vector<orvalis::Thumbnailer::Grab> grabs;
    for (const auto& item : items)
        grabs.push_back({item->time(), item->edition()});
    // A thumbnailer of its own: the document's serves its thumbnail queue only.
    orvalis::Thumbnailer own(movie);
    own.setMaximumSize(maximumSize);
    try {
        return own.accurateImages(
            grabs, [flag = stopFlag] { return flag && flag->load(); }, mostDecoders);
    } catch (const core::Error&) {
        return nullptr;
    }
}

}  // namespace vistrel
