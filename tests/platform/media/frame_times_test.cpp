// The start of every video frame, read from the packets alone, is where the frame was written to start on the
// asset's timeline (the frame's place in display order, not what the container's times say), in every codec and
// container, at constant and variable rates and with a start offset; files that
// are no movie give none.
#include "platform/media/frame_times.h"
#include "tests/platform/media/movie_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace {

void expectFrameStarts(const mediatest::MovieCase& c)
{
    SCOPED_TRACE(c.name);
    const std::string path = mediatest::moviePath(c.name);
    const auto asset = media::Asset::create(core::Url::fileURL(path));
    const auto times = media::videoFrameTimes(*asset);
    if (!c.spec.video) {
        EXPECT_FALSE(times);
        return;
    }
    ASSERT_TRUE(times);
    // As the movie was written, within the millisecond to which the coarsest container rounds it.
    const auto starts = testmovie::writtenFrameStarts(c.spec);
    ASSERT_EQ(times->size(), starts.size());
    const media::Time margin = media::Time::make(1, 1000);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const media::Time start = media::Time::make(starts[k].value, starts[k].timescale);
        EXPECT_TRUE((*times)[k] + margin > start && (*times)[k] < start + margin)
            << "frame " << k << " at " << (*times)[k].seconds() << " s, written at " << start.seconds() << " s";
    }
}

TEST(FrameTimes, EveryFrameStartsWhereItIsShownInEveryContainer)
{
    for (const mediatest::MovieCase& c : mediatest::frameExactnessCases())
        expectFrameStarts(c);
    for (const mediatest::MovieCase& c : mediatest::toolMovieCases())
        expectFrameStarts(c);
}

TEST(FrameTimes, FilesThatAreNoMovieGiveNone)
{
    const std::string empty = mediatest::scratchPath("frame-times-empty.mp4");
    std::ofstream(empty, std::ios::binary).close();
    const std::string random = mediatest::scratchPath("frame-times-random.mp4");
    {
        std::mt19937 generator(7);
        std::ofstream out(random, std::ios::binary);
        for (int i = 0; i < 100000; ++i)
            out.put(char(generator() & 0xff));
    }
    // The first part of a real movie: whatever frames it still holds, in order, or none.
    const std::string truncated = mediatest::scratchPath("frame-times-truncated.mkv");
    {
        std::ifstream in(mediatest::moviePath(mediatest::movieCases().front().name), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() / 3);
    }
    for (const auto& path : {empty, random})
        EXPECT_FALSE(media::videoFrameTimes(*media::Asset::create(core::Url::fileURL(path)))) << path;
    const auto cut = media::videoFrameTimes(*media::Asset::create(core::Url::fileURL(truncated)));
    if (cut) {
        EXPECT_TRUE(std::is_sorted(cut->begin(), cut->end()));
    }
}

}  // namespace
