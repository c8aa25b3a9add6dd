#include "platform/media/detail/playback_frame_source.h"

#include <gtest/gtest.h>

#include "platform/media/asset.h"
#include "tests/platform/media/movie_library.h"

using media::Time;
using media::detail::PlaybackFrame;
using media::detail::PlaybackFrameSource;

namespace {

int indexOf(const std::optional<PlaybackFrame>& frame) { return frame ? testmovie::readFrameIndex(*frame->image) : -1; }

}  // namespace

// A paused player closes its decoders while other work needs their memory: the frames it keeps serve without a
// decoder, and the next frame it decodes is the exact one, from a decoder opened again.
TEST(PlaybackFrameSource, ClosedDecodersOpenAgainWhereTheFramesLeftOff)
{
    // B-frames, open groups of pictures, a start offset, other codecs.
    for (const char* name : {"h264.mp4", "h264.ts", "mpeg2-start.ts", "vp9.webm", "mpeg4.avi"}) {
        SCOPED_TRACE(name);
        const std::string path = mediatest::moviePath(name);
        const std::vector<testmovie::FrameStart> starts = testmovie::readFrameStarts(path);
        ASSERT_GT(starts.size(), 46u);
        auto asset = media::Asset::create(core::Url::fileURL(path));
        auto source = PlaybackFrameSource::open(*asset);
        ASSERT_TRUE(source);
        const auto start = [&](int k) {
            return Time::make(starts[std::size_t(k)].value, starts[std::size_t(k)].timescale);
        };

        std::optional<PlaybackFrame> landed = source->seek(start(30), Time::zero(), Time::zero());
        ASSERT_EQ(indexOf(landed), 30);
        source->closeDecoders();
        EXPECT_FALSE(source->holdsDecoders());
        // On from the frame handed out, on a decoder opened again.
        EXPECT_EQ(indexOf(source->next()), 31);
        EXPECT_TRUE(source->holdsDecoders());
        EXPECT_EQ(indexOf(source->next()), 32);

        // The frames kept from the seek's key frame (every 12th) and the ones decoded since are still a row
        // without gaps; before them, frames decode again.
        source->closeDecoders();
        for (int k = 32; k >= 24; --k)
            ASSERT_EQ(indexOf(source->frameAt(source->stepTarget(landed->pts, k - 30))), k);
        EXPECT_FALSE(source->holdsDecoders()) << "the frames kept needed a decoder";
        for (int k = 23; k >= 20; --k)
            ASSERT_EQ(indexOf(source->frameAt(source->stepTarget(landed->pts, k - 30))), k);

        // Further on, and a seek back.
        source->closeDecoders();
        EXPECT_EQ(indexOf(source->frameAt(source->stepTarget(landed->pts, 15))), 45);
        EXPECT_EQ(indexOf(source->next()), 46);
        source->closeDecoders();
        EXPECT_EQ(indexOf(source->seek(start(5), Time::zero(), Time::zero())), 5);
        source->closeDecoders();
        EXPECT_EQ(indexOf(source->next()), 6);
    }
}
