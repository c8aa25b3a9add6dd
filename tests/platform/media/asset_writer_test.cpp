#include "platform/media/asset_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <latch>
#include <thread>

#include "platform/core/semaphore.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait_until.h"
#include "tools/testmovie/test_movie.h"

namespace fs = std::filesystem;

namespace {

constexpr int frames = 5;

// A writer of a 64 × 48 movie that has been given `frames` frames, one a tenth of a second.
std::shared_ptr<media::AssetWriter> writerWithFrames(const fs::path& file)
{
    auto writer = media::AssetWriter::create(core::Url::fileURL(file.string()), "");
    auto input = media::AssetWriterInput::create(media::MediaType::video, {media::VideoCodec::h264, 64, 48});
    auto adaptor = media::PixelBufferAdaptor::create(input, {gfx::PixelFormat::argb32, 64, 48});
    writer->add(input);
    EXPECT_TRUE(writer->startWriting());
    writer->startSession(media::Time::zero());
    for (int i = 0; i < frames; ++i) {
        auto buffer = adaptor->pixelBufferPool()->createPixelBuffer();
        EXPECT_TRUE(adaptor->append(*buffer, media::Time::make(i, 10)));
    }
    input->markAsFinished();
    writer->endSession(media::Time::make(frames, 10));
    return writer;
}

std::size_t itemsIn(const fs::path& folder)
{
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

}  // namespace

TEST(AssetWriter, FinishesOnItsQueueAndLivesUntilTheCompletionHasRun)
{
    testsupport::TempDir dir;
    const fs::path file = dir / "movie.mp4";
    core::Semaphore done;
    std::weak_ptr<media::AssetWriter> weak;
    {
        auto writer = writerWithFrames(file);
        weak = writer;
        writer->finishWriting([&] {
            EXPECT_FALSE(weak.expired());
            done.signal();
        });
    }
    ASSERT_TRUE(done.wait(testsupport::waitLimitSeconds));
    EXPECT_EQ(testmovie::readFrameStarts(file.string()).size(), std::size_t(frames));
    EXPECT_EQ(itemsIn(dir.path()), 1u);
}

TEST(AssetWriter, CancelAndFinishFromTwoThreadsAtOnceEndOneWayOrTheOther)
{
    testsupport::TempDir dir;
    int completed = 0, cancelled = 0;
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const fs::path file = dir / ("movie" + std::to_string(round) + ".mp4");
        auto writer = writerWithFrames(file);
        std::atomic<int> completions = 0;
        core::Semaphore done;
        std::latch start(2);
        std::thread finisher([&] {
            start.arrive_and_wait();
            writer->finishWriting([&] {
                ++completions;
                done.signal();
            });
        });
        std::thread canceller([&] {
            start.arrive_and_wait();
            writer->cancelWriting();
        });
        finisher.join();
        canceller.join();
        ASSERT_TRUE(done.wait(testsupport::waitLimitSeconds));
        EXPECT_EQ(completions, 1);
        if (writer->status() == media::AssetWriter::Status::completed) {
            ++completed;
            EXPECT_EQ(testmovie::readFrameStarts(file.string()).size(), std::size_t(frames));
        } else {
            ++cancelled;
            EXPECT_EQ(writer->status(), media::AssetWriter::Status::cancelled);
            EXPECT_FALSE(fs::exists(file));
        }
        // The movie or nothing: no temporary file is left.
        EXPECT_EQ(itemsIn(dir.path()), std::size_t(completed));
    }
    EXPECT_EQ(completed + cancelled, 12);
}
