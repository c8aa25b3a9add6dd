#include "app/document/document_frames.h"

#include <chrono>

#include "appkit/view_extensions.h"
#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "platform/core/main_thread.h"

namespace vistrel {

namespace {

// How often snaps handed over in stages are.
constexpr auto stageEvery = std::chrono::milliseconds(500);

// Runs `work` on the main thread and waits for it.
void onMain(const std::function<void()>& work) { core::DispatchQueue::main()->sync(work); }

}  // namespace

DocumentFrames::DocumentFrames(std::shared_ptr<orvalis::Movie> movie, std::shared_ptr<const std::atomic<bool>> stopFlag)
    : movie_(std::move(movie)), stopFlag_(std::move(stopFlag))
{
}

std::shared_ptr<orvalis::Thumbnailer> DocumentFrames::thumbnailer()
{
    std::call_once(thumbnailerMade_, [this] { thumbnailer_ = std::make_shared<orvalis::Thumbnailer>(movie_); });
    return thumbnailer_;
}

std::shared_ptr<core::DispatchQueue> DocumentFrames::thumbnailQueue()
{
    std::call_once(thumbnailQueueMade_, [this] {
        const std::string identifier = kestrane::MB->identifier().value_or("Vistrel");
        thumbnailQueue_ = core::DispatchQueue::makeSerial(identifier + ".thumbnailQueue");
    });
    return thumbnailQueue_;
}

gfx::Size DocumentFrames::miniatureThumbnailSize()
{
    std::call_once(miniatureSizeMade_, [this] {
        const double side = kestrane::screenScale() * miniatureSide;
        miniatureThumbnailSize_ = {side, side};
    });
    return miniatureThumbnailSize_;
}

FrameGrabber DocumentFrames::frameGrabber() { return {movie_, stopFlag_}; }

void DocumentFrames::fillMiniature(const std::shared_ptr<SnapItem>& item, std::function<void()> filled)
{
    core::assertMainThread();
    thumbnailQueue()->async(
        [item, filled = std::move(filled), thumbnailer = thumbnailer(), size = miniatureThumbnailSize()] {
            item->setImage(grabFrame(*thumbnailer, *item, size));
            onMain(filled);
        });
}

void DocumentFrames::fillMiniatures(const SnapItems& items, bool inStages, MiniaturesReport report)
{
    core::assertMainThread();
    thumbnailQueue()->async(
        [items, inStages, report = std::move(report), frames = frameGrabber(), size = miniatureThumbnailSize()] {
            // Progress goes to the main queue without waiting for it; the queue keeps its order, so every step
            // shows before the snaps are handed over.
            const auto progress = [&report](double done) {
                core::DispatchQueue::main()->async([progress = report.progress, done] { progress(done); });
            };
            // The times of the frames grabbed: each snap takes its frame's own time when it is handed over.
            std::vector<media::Time> frameTimes(items.size(), media::Time::invalid());
            // Hands over the snaps grabbed since the last time.
            std::size_t handed = 0;
            const auto handOverUpTo = [&](std::size_t end, bool last) {
                const SnapItems ready(items.begin() + std::ptrdiff_t(handed), items.begin() + std::ptrdiff_t(end));
                const std::size_t from = handed;
                handed = end;
                onMain([&] {
                    for (std::size_t i = from; i < end; ++i)
                        if (frameTimes[i].isNumeric()) items[i]->setTime(frameTimes[i]);
                    report.ready(ready, last);
                });
            };
            auto lastStage = std::chrono::steady_clock::now();
            progress(0.0);
            // The miniatures are taken as they come from the stretches decoded side by side; the snaps are handed
            // over in their order, as far as every one before has its miniature.
            const std::unique_ptr<media::ImageJob> job = frames.images(items, size);
            std::vector<bool> filled(items.size(), false);
            std::size_t done = 0;
            std::size_t inOrder = 0;
            while (done < items.size() && !frames.stopped()) {
                std::optional<std::pair<std::size_t, media::ImageJob::Image>> next =
                    job ? job->takeAny() : std::pair(done, media::ImageJob::Image{});
                if (!next) break;
                items[next->first]->setImage(next->second.image);
                if (next->second.image) frameTimes[next->first] = next->second.actualTime;
                filled[next->first] = true;
                ++done;
                while (inOrder < items.size() && filled[inOrder])
                    ++inOrder;
                progress(double(done) / double(items.size()));
                if (inStages && std::chrono::steady_clock::now() - lastStage >= stageEvery) {
                    handOverUpTo(inOrder, false);
                    lastStage = std::chrono::steady_clock::now();
                }
            }
            handOverUpTo(inOrder, true);
        });
}

void DocumentFrames::fullImage(const std::shared_ptr<SnapItem>& item,
                               std::function<void(const gfx::ImageRef&)> completion)
{
    core::assertMainThread();
    thumbnailQueue()->async([item, completion = std::move(completion), thumbnailer = thumbnailer()] {
        const gfx::ImageRef image = grabFrame(*thumbnailer, *item, {});
        onMain([&] { completion(image); });
    });
}

}  // namespace vistrel
