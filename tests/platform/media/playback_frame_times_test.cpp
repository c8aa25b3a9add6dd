#include "platform/media/asset.h"
#include "platform/media/detail/decoder_pool.h"
#include "platform/media/detail/playback_frame_times.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(PlaybackFrameTimes, StepsLandOnTheFramesCountedInEveryContainer)
{
    for (const mediatest::MovieCase& c : mediatest::movieCases()) {
        SCOPED_TRACE(c.name);
        std::string path = mediatest::moviePath(c.name);
        auto asset = media::Asset::create(core::Url::fileURL(path));
        media::detail::DecoderPool* pool = asset->videoDecoders();
        ASSERT_TRUE(pool);
        AVRational base = pool->timeBase();
        std::vector<std::int64_t> pts;
        for (const testmovie::FrameStart& start : testmovie::readFrameStarts(path))
            pts.push_back(pool->firstPts() + av_rescale_q(start.value, {1, start.timescale}, base));
        ASSERT_EQ(pts.size(), std::size_t(c.spec.frameCount));
        int last = int(pts.size()) - 1;

        media::detail::PlaybackFrameTimes times(path, pool->streamIndex());
        for (int k : {0, 5, 11, 12, 13, 30, last}) {
            for (int count : {-13, -1, 0, 1, 13, 1000, -1000}) {
                SCOPED_TRACE(std::to_string(k) + " by " + std::to_string(count));
                std::int64_t expected = pts[std::size_t(std::clamp(k + count, 0, last))];
                EXPECT_EQ(times.step(pts[std::size_t(k)], count), expected);
                // From inside the frame, as from its start.
                if (k < last && pts[std::size_t(k) + 1] - pts[std::size_t(k)] > 1) {
                    EXPECT_EQ(times.step(pts[std::size_t(k)] + 1, count), expected);
                }
            }
        }
    }
}

TEST(PlaybackFrameTimes, UnreadableStreamsGiveNothing)
{
    media::detail::PlaybackFrameTimes missing(mediatest::scratchPath("no-such-file.mp4"), 0);
    EXPECT_EQ(missing.step(0, 1), std::nullopt);
    media::detail::PlaybackFrameTimes wrongStream(mediatest::moviePath("h264.mp4"), 7);
    EXPECT_EQ(wrongStream.step(0, -1), std::nullopt);
}
