#include "moviekit/thumbnailer.h"

#include "foundation/asset_extensions.h"
#include "foundation/image_encoding.h"
#include "moviekit/movie.h"
#include "moviekit/player.h"
#include "platform/core/error.h"
#include "tests/moviekit/panel_support.h"
#include "tests/moviekit/test_movies.h"
#include "tests/platform/core/run_until.h"

#include <gtest/gtest.h>

using kestrane::Orientation;
using media::Time;
using orvalis::Edition;
using orvalis::Movie;
using orvalis::Thumbnailer;

namespace {

std::shared_ptr<Movie> movieAt(const std::string& path) { return Movie::create(core::Url::fileURL(path)); }

bool isStrip(gfx::Pixel p)
{
    const auto near = [](int a, int b) { return std::abs(a - b) < 40; };
    return near(gfx::redOf(p), testmovie::stripRed) && near(gfx::greenOf(p), testmovie::stripGreen) &&
           near(gfx::blueOf(p), testmovie::stripBlue);
}

}  // namespace

TEST(Thumbnailer, BoundsTheStoredFrameBeforeTheEdition)
{
    Thumbnailer thumbnailer(movieAt(moviekittest::hdMovie()));
    thumbnailer.setMaximumSize({300, 300});
    EXPECT_EQ(thumbnailer.maximumSize(), (gfx::Size{300, 300}));
    const auto frame = thumbnailer.accurateImage(Time::make(2, 25));
    EXPECT_EQ(frame->width(), 300);
    EXPECT_EQ(frame->height(), 169);
    EXPECT_EQ(testmovie::readFrameIndex(*frame), 2);

    thumbnailer.setEdition(Edition(Orientation::left, false, false));
    const auto turned = thumbnailer.accurateImage(Time::make(3, 25));
    EXPECT_EQ(turned->width(), 169);
    EXPECT_EQ(turned->height(), 300);
    // Turned a quarter counter-clockwise: the strip at the bottom of the stored frame is now on the right.
    EXPECT_TRUE(isStrip(turned->pixel(160, 150)));
    EXPECT_FALSE(isStrip(turned->pixel(8, 150)));
    EXPECT_EQ(testmovie::readFrameIndex(*Edition(Orientation::right, false, false).apply(turned)), 3);

    thumbnailer.setMaximumSize({0, 0});
    thumbnailer.setEdition(std::nullopt);
    const auto full = thumbnailer.accurateImage(Time::make(4, 25));
    EXPECT_EQ(full->width(), 1920);
    EXPECT_EQ(full->height(), 1080);
}

TEST(Thumbnailer, StartsWithTheMovieEditionAndFollowsOnlyItsOwn)
{
    const auto movie = movieAt(moviekittest::smallMovie());
    movie->setEdition(Edition(Orientation::right, false, false));
    Thumbnailer thumbnailer(movie);
    EXPECT_EQ(thumbnailer.edition(), Edition(Orientation::right, false, false));
    EXPECT_EQ(thumbnailer.accurateImage(Time::zero())->height(), 160);

    movie->setEdition(Edition::identity);
    EXPECT_EQ(thumbnailer.accurateImage(Time::zero())->height(), 160);

    movie->setEdition(Edition(Orientation::down, true, true));
    thumbnailer.setEdition(std::nullopt);
    const auto stored = thumbnailer.accurateImage(Time::make(5 * 1001, 30000));
    EXPECT_EQ(stored->width(), 160);
    EXPECT_EQ(testmovie::readFrameIndex(*stored), 5);
    EXPECT_TRUE(isStrip(stored->pixel(80, 115)));
}

TEST(Thumbnailer, AccurateGrabsGiveTheExactFrame)
{
    const std::string path = moviekittest::smallMovie();
    const auto starts = testmovie::readFrameStarts(path);
    ASSERT_EQ(starts.size(), 48u);
    Thumbnailer thumbnailer(movieAt(path));
    // Backwards and forwards, on frame starts and inside frames, across key frames.
    for (int k : {0, 47, 11, 12, 13, 1, 30, 29, 46, 24}) {
        const Time start = Time::make(starts[std::size_t(k)].value, starts[std::size_t(k)].timescale);
        EXPECT_EQ(testmovie::readFrameIndex(*thumbnailer.accurateImage(start)), k) << k;
        const Time inside = start + Time::make(1, 100);
        EXPECT_EQ(testmovie::readFrameIndex(*thumbnailer.accurateImage(inside)), k) << k;
    }
    // Quick grabs give some frame of the movie, at or before the time.
    const int quick = testmovie::readFrameIndex(*thumbnailer.inaccurateImage(Time::make(30 * 1001, 30000)));
    EXPECT_GE(quick, 0);
    EXPECT_LE(quick, 30);
}

TEST(Thumbnailer, FailuresThrowAndLeaveItUsable)
{
    Thumbnailer thumbnailer(movieAt(moviekittest::smallMovie()));
    EXPECT_THROW(thumbnailer.accurateImage(Time::make(60, 1)), core::Error);
    EXPECT_THROW(thumbnailer.accurateImage(Time::make(-1, 1)), core::Error);
    EXPECT_EQ(testmovie::readFrameIndex(*thumbnailer.accurateImage(Time::make(7 * 1001, 30000))), 7);

    for (const auto& path : {moviekittest::missingFile(), moviekittest::fileWith("Noise.mp4", "\x01\x02garbage")}) {
        Thumbnailer broken(movieAt(path));
        EXPECT_THROW(broken.accurateImage(Time::zero()), core::Error);
        EXPECT_THROW(broken.inaccurateImage(Time::zero()), core::Error);
    }
}

TEST(Thumbnailer, TakesTheFrameThePlayerShowsAtExactlyThatTime)
{
    const auto movie = movieAt(moviekittest::hdMovie());
    const auto player = movie->player();
    player->seekAccurately(Time::make(5, 25));
    ASSERT_TRUE(
        testsupport::runUntil([&] { return player->avplayer()->videoFrameShownAt(Time::make(5, 25)) != nullptr; }));
    const gfx::ImageRef onScreen = player->avplayer()->currentVideoFrame();

    Thumbnailer thumbnailer(movie);
    thumbnailer.setEdition(std::nullopt);
    // Full size and unedited: the very picture on screen.
    EXPECT_EQ(thumbnailer.accurateImage(Time::make(5, 25)), onScreen);
    // Bounded and edited as a decoded frame would be.
    thumbnailer.setMaximumSize({300, 300});
    thumbnailer.setEdition(Edition(Orientation::left, false, false));
    const auto small = thumbnailer.accurateImage(Time::make(5, 25));
    EXPECT_EQ(small->width(), 169);
    EXPECT_EQ(small->height(), 300);
    EXPECT_EQ(testmovie::readFrameIndex(*Edition(Orientation::right, false, false).apply(small)), 5);
    // Another time is decoded.
    thumbnailer.setEdition(std::nullopt);
    const auto other = thumbnailer.accurateImage(Time::make(6, 25));
    EXPECT_EQ(testmovie::readFrameIndex(*other), 6);
}

// A movie stored turned, as phones store theirs: the file asks, through its track's display matrix, for its picture to
// be turned. Every grab is that picture upright, at the upright size, and the edition acts on it as the user sees it.
TEST(Thumbnailer, GrabsMoviesWhoseTrackAsksToBeTurnedUpright)
{
    const Time seventh = Time::make(7 * 1001, 30000);
    const Edition mirror = Edition::identity.flippedHorizontally();
    const Edition upsideDown = Edition::identity.flippedVertically();
    for (int degrees : {90, 180, 270}) {
        SCOPED_TRACE(std::to_string(degrees) + " degrees");
        const auto movie = movieAt(moviekittest::taggedMovie(degrees));
        ASSERT_FALSE(kestrane::computeNaturalTransform(*movie->avasset()).isIdentity());
        // Stored 120 × 160 (or upside down), shown 160 × 120.
        const gfx::Size upright{160, 120};
        EXPECT_EQ(movie->resolution(), upright);

        Thumbnailer thumbnailer(movie);
        const auto frame = thumbnailer.accurateImage(seventh);
        ASSERT_TRUE(frame);
        EXPECT_EQ(kestrane::size(frame), upright);
        EXPECT_EQ(testmovie::readFrameIndex(*frame), 7);

        // The bound is on the upright picture, not on the frame as stored.
        thumbnailer.setMaximumSize({80, 100});
        EXPECT_EQ(thumbnailer.maximumSize(), (gfx::Size{80, 100}));
        const auto small = thumbnailer.accurateImage(seventh);
        EXPECT_EQ(kestrane::size(small), (gfx::Size{80, 60}));
        EXPECT_EQ(testmovie::readFrameIndex(*small), 7);
        thumbnailer.setMaximumSize({});

        // After a quarter turn right, each flip mirrors the picture along the axis the user sees.
        Edition edition;
        edition.rotateRight();
        thumbnailer.setEdition(edition);
        const auto turned = thumbnailer.accurateImage(seventh);
        EXPECT_EQ(kestrane::size(turned), Edition(Orientation::right, false, false).apply(upright));
        edition.flipHorizontally();
        thumbnailer.setEdition(edition);
        const auto leftRight = thumbnailer.accurateImage(seventh);
        EXPECT_GT(moviekittest::agreement(*leftRight, *mirror.apply(turned)), 0.95);
        EXPECT_LT(moviekittest::agreement(*leftRight, *upsideDown.apply(turned)), 0.9);
        edition.flipHorizontally();
        edition.flipVertically();
        thumbnailer.setEdition(edition);
        const auto topBottom = thumbnailer.accurateImage(seventh);
        EXPECT_GT(moviekittest::agreement(*topBottom, *upsideDown.apply(turned)), 0.95);
        // Turned back left and mirrored again, the grab is the upright frame.
        const Edition back(Orientation::left, false, false);
        EXPECT_EQ(testmovie::readFrameIndex(*back.apply(mirror.apply(leftRight))), 7);
        EXPECT_EQ(testmovie::readFrameIndex(*back.apply(upsideDown.apply(topBottom))), 7);
    }
}
