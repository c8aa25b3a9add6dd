#include "platform/media/detail/decoder_pool.h"

#include <gtest/gtest.h>

#include "platform/media/asset.h"
#include "tests/platform/media/movie_library.h"

using media::detail::DecoderPool;
using media::detail::PoolLease;

TEST(DecoderPool, KeepsAsManyDecodersAsItsCapacityForLaterGrabs)
{
    const std::string path = mediatest::moviePath("h264.mp4");
    auto asset = media::Asset::create(core::Url::fileURL(path));
    ASSERT_TRUE(asset && asset->videoDecoders());
    const DecoderPool& model = *asset->videoDecoders();
    // 160 x 120 pictures: the pool keeps four idle decoders.
    DecoderPool pool(path, model.streamIndex(), model.timeBase(), model.firstPts(), 160, 120);
    // Four grabs at once, latest first (so that none waits for another's decoder), each of which opens a
    // decoder and decodes a frame with it before giving it back.
    const std::vector<std::int64_t> targets = {4000, 3000, 2000, 1000};
    const auto takeAll = [&] {
        std::vector<std::unique_ptr<PoolLease>> leases;
        for (const std::int64_t target : targets)
            leases.push_back(std::make_unique<PoolLease>(pool, target));
        return leases;
    };
    {
        auto leases = takeAll();
        for (const auto& lease : leases) {
            ASSERT_TRUE(lease->get());
            EXPECT_FALSE(lease->get()->decoder->position()) << "a new decoder has decoded nothing yet";
            ASSERT_TRUE(lease->get()->decoder->nextFrame());
        }
    }
    // Four grabs at once again: each gets one of the decoders kept, none a new one.
    auto leases = takeAll();
    for (const auto& lease : leases) {
        ASSERT_TRUE(lease->get());
        EXPECT_TRUE(lease->get()->decoder->position()) << "the pool kept fewer decoders than its capacity";
    }
}
