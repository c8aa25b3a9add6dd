#include "platform/media/detail/decoder_threads.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using media::detail::decoderThreads;
using media::detail::DecodingMovie;
using media::detail::sharedDecoderThreads;

TEST(DecoderThreads, OneMovieTakesEveryCoreAndSeveralShareThem)
{
    EXPECT_EQ(sharedDecoderThreads(8, 1), 9);
    EXPECT_EQ(sharedDecoderThreads(8, 0), 9);
    EXPECT_EQ(sharedDecoderThreads(8, 2), 5);
    EXPECT_EQ(sharedDecoderThreads(8, 4), 3);
    EXPECT_EQ(sharedDecoderThreads(8, 40), 2);
    EXPECT_EQ(sharedDecoderThreads(1, 1), 2);
    EXPECT_EQ(sharedDecoderThreads(0, 3), 2);
}

TEST(DecoderThreads, MoviesCountWhileTheyLiveAndSmallPicturesUseOneThread)
{
    EXPECT_EQ(decoderThreads(320, 240), 1);
    const int alone = decoderThreads(1920, 1080);
    {
        std::vector<std::unique_ptr<DecodingMovie>> batch;
        for (int i = 0; i < 64; ++i)
            batch.push_back(std::make_unique<DecodingMovie>());
        EXPECT_EQ(decoderThreads(1920, 1080), 2);
        EXPECT_EQ(decoderThreads(320, 240), 1);
    }
    EXPECT_EQ(decoderThreads(1920, 1080), alone);
    EXPECT_GE(alone, 2);
}
