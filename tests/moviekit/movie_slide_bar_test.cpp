// The slide bar's geometry, its binding to a movie's player, the thumbnail strip (slot counts, the frames in
// it, what happens when the movie or its edition changes under a running worker) and its drawing.
#include "moviekit/movie_slide_bar.h"

#include "appkit/view_extensions.h"
#include "moviekit/player.h"
#include "tests/moviekit/test_movies.h"
#include "tests/platform/core/run_until.h"

#include "platform/ui/window.h"

#include <gtest/gtest.h>

#include <cmath>

using media::Time;
using media::TimeRange;
using orvalis::Movie;
using orvalis::MovieSlideBar;
using testsupport::runUntil;

namespace {

std::shared_ptr<Movie> movieAt(const std::string& path) { return Movie::create(core::Url::fileURL(path)); }

// A 600 × 50 bar filling a window.
struct BarScene {
    BarScene() { window->contentView()->addSubview(bar); }
    ~BarScene()
    {
        bar->setMovie(nullptr);
        window->close();
    }
    bool stripFilled(std::size_t count)
    {
        return runUntil([&] { return bar->thumbnails().size() == count; });
    }

    std::shared_ptr<ui::Window> window = ui::Window::create({0, 0, 600, 50}, ui::StyleMask::titled);
    std::shared_ptr<MovieSlideBar> bar = core::make<MovieSlideBar>(gfx::Rect{0, 0, 600, 50});
};

void expectRect(const gfx::Rect& actual, const gfx::Rect& expected)
{
    EXPECT_NEAR(actual.minX(), expected.minX(), 1e-9);
    EXPECT_NEAR(actual.minY(), expected.minY(), 1e-9);
    EXPECT_NEAR(actual.width(), expected.width(), 1e-9);
    EXPECT_NEAR(actual.height(), expected.height(), 1e-9);
}

int frameIndexOf(const gfx::ImageRef& image) { return image ? testmovie::readFrameIndex(*image) : -2; }

}  // namespace

TEST(MovieSlideBar, GeometryFollowsTheClipAndTheTime)
{
    BarScene scene;
    auto movie = movieAt(moviekittest::hdMovie());  // 0.32 s
    scene.bar->setMovie(movie);
    const auto& player = movie->player();
    player->setClipRange(TimeRange::fromTo(Time::make(2, 25), Time::make(6, 25)));
    player->seekAccurately(Time::make(4, 25));
    ASSERT_TRUE(runUntil([&] { return scene.bar->timePosition() == 0.5; }));
    EXPECT_DOUBLE_EQ(scene.bar->clipStartPosition(), 0.25);
    EXPECT_DOUBLE_EQ(scene.bar->clipEndPosition(), 0.75);

    const gfx::Rect b = scene.bar->bounds();
    expectRect(scene.bar->sliderBarRectForBounds(b), {14, 5, 572, 40});
    expectRect(scene.bar->rangeBarRectForBounds(b), {143, 0, 314, 50});
    expectRect(scene.bar->innerBarRectForBounds(b), {157, 5, 286, 40});
    expectRect(scene.bar->leftControlRectForBounds(b), {143, 0, 14, 50});
    expectRect(scene.bar->rightControlRectForBounds(b), {443, 0, 14, 50});
    expectRect(scene.bar->cursorRectForTimePosition(0.5), {299, 0, 2, 50});

    // The whole movie as clip: the frame hugs the whole bar.
    player->setClipRange(TimeRange::fromTo(Time::zero(), Time::make(8, 25)));
    expectRect(scene.bar->innerBarRectForBounds(b), scene.bar->sliderBarRectForBounds(b));
    // An empty clip: an empty window in the frame.
    player->setClipRange(TimeRange::fromTo(Time::make(4, 25), Time::make(4, 25)));
    EXPECT_EQ(scene.bar->innerBarRectForBounds(b).width(), 0);

    // Without a playable movie the positions go back to the whole movie and its start.
    scene.bar->setMovie(movieAt(moviekittest::missingFile()));
    EXPECT_EQ(scene.bar->timePosition(), 0);
    EXPECT_EQ(scene.bar->clipStartPosition(), 0);
    EXPECT_EQ(scene.bar->clipEndPosition(), 1);
    EXPECT_EQ(scene.bar->thumbnailsCount(), 0);
}

TEST(MovieSlideBar, SlotCountsCoverTheBarAndNeverDivideByNothing)
{
    BarScene scene;
    // 1920 × 1080 in 572 × 40: slots of 71.1 × 40, nine of them.
    auto hd = movieAt(moviekittest::hdMovie());
    scene.bar->setMovie(hd);
    EXPECT_EQ(scene.bar->thumbnailsCount(), 9);

    // Too low for any inside (at most twice the stroke height), or not laid out yet: no slots.
    for (double height : {10.0, 9.0, 0.0}) {
        scene.bar->setFrame({0, 0, 600, height});
        EXPECT_EQ(scene.bar->thumbnailsCount(), 0) << height;
    }
    scene.bar->setFrame({0, 0, 0, 0});
    EXPECT_EQ(scene.bar->thumbnailsCount(), 0);
    scene.bar->setFrame({0, 0, 20, 50});
    EXPECT_EQ(scene.bar->thumbnailsCount(), 0);

    // A bar made before layout gets its slots once it has a size.
    auto early = core::make<MovieSlideBar>();
    early->setMovie(hd);
    EXPECT_EQ(early->thumbnailsCount(), 0);
    early->setFrame({0, 0, 600, 50});
    EXPECT_EQ(early->thumbnailsCount(), 9);
    early->setMovie(nullptr);

    // A playable movie without a picture gets no slots.
    scene.bar->setFrame({0, 0, 600, 50});
    scene.bar->setMovie(movieAt(moviekittest::soundOnlyMovie()));
    EXPECT_EQ(scene.bar->thumbnailsCount(), 0);
}

TEST(MovieSlideBar, TheStripHoldsTheFramesAtTheMiddlesOfEqualSlices)
{
    BarScene scene;
    scene.bar->setMovie(movieAt(moviekittest::stripMovie()));
    ASSERT_EQ(scene.bar->thumbnailsCount(), 9);
    ASSERT_TRUE(scene.stripFilled(9));
    // Slice i of 1.08 s has its middle in frame (i + 0.5) × 3 of 25 per second.
    for (int i = 0; i < 9; ++i) {
        const gfx::ImageRef& image = scene.bar->thumbnails()[i];
        ASSERT_TRUE(image);
        EXPECT_EQ(frameIndexOf(image), 3 * i + 1) << i;
        // Grabbed at the slot's size times the screen scale: 71.1 × 40 points.
        EXPECT_NEAR(double(image->width()) / image->height(), 16.0 / 9.0, 0.05);
        EXPECT_LE(image->height(), 40 * 2);
    }
}

TEST(MovieSlideBar, TheStripFollowsTheEdition)
{
    BarScene scene;
    auto movie = movieAt(moviekittest::stripMovie());
    scene.bar->setMovie(movie);
    ASSERT_TRUE(scene.stripFilled(9));

    // Turned a quarter, the frames stand upright in slots of their own shape: 22.5 × 40, 26 of them.
    movie->changeEdition([](orvalis::Edition& edition) { edition.rotateRight(); });
    ASSERT_TRUE(runUntil([&] { return scene.bar->thumbnailsCount() == 26; }));
    ASSERT_TRUE(scene.stripFilled(26));
    orvalis::Edition back;
    back.rotateLeft();
    for (int i = 0; i < 26; i += 5) {
        const gfx::ImageRef& image = scene.bar->thumbnails()[i];
        ASSERT_TRUE(image);
        EXPECT_LT(image->width(), image->height());
        // The frame at the middle of slice i of 26, once turned back.
        EXPECT_EQ(frameIndexOf(back.apply(image)), int((i + 0.5) * 27 / 26)) << i;
    }

    // A flip keeps the slots; the strip is still grabbed again, mirrored.
    const gfx::ImageRef turned = scene.bar->thumbnails()[0];
    movie->changeEdition([](orvalis::Edition& edition) { edition.flipHorizontally(); });
    ASSERT_TRUE(runUntil([&] { return scene.bar->thumbnails().size() == 26 && scene.bar->thumbnails()[0] != turned; }));
    // A quarter turn and a flip mirror across a diagonal: applied again, the edition gives the frame back.
    const orvalis::Edition mirror = movie->edition();
    EXPECT_EQ(frameIndexOf(mirror.apply(scene.bar->thumbnails()[0])), 0);
    EXPECT_EQ(frameIndexOf(mirror.apply(scene.bar->thumbnails()[25])), 26);
}

TEST(MovieSlideBar, AStripOfAMovieNoLongerShownIsDropped)
{
    BarScene scene;
    // A new movie while the worker of the old one runs: only the new movie's frames arrive.
    scene.bar->setMovie(movieAt(moviekittest::stripMovie()));
    auto small = movieAt(moviekittest::smallMovie());  // 160 × 120: eleven slots of 53.3 × 40
    scene.bar->setMovie(small);
    EXPECT_EQ(scene.bar->thumbnailsCount(), 11);
    ASSERT_TRUE(scene.stripFilled(11));
    for (const auto& image : scene.bar->thumbnails()) {
        ASSERT_TRUE(image);
        EXPECT_NEAR(double(image->width()) / image->height(), 4.0 / 3.0, 0.05);
    }

    // No movie while a strip fills: nothing more arrives. The next strip, queued behind the old worker, shows
    // that all the old one sent back has been handled.
    scene.bar->setMovie(movieAt(moviekittest::stripMovie()));
    ASSERT_TRUE(runUntil([&] { return !scene.bar->thumbnails().empty(); }));
    scene.bar->setMovie(nullptr);
    EXPECT_TRUE(scene.bar->thumbnails().empty());
    auto other = core::make<MovieSlideBar>(gfx::Rect{0, 0, 600, 50});
    other->setMovie(small);
    ASSERT_TRUE(runUntil([&] { return other->thumbnails().size() == 11; }));
    EXPECT_TRUE(scene.bar->thumbnails().empty());
    EXPECT_EQ(scene.bar->thumbnailsCount(), 0);
    other->setMovie(nullptr);

    // A bar that goes away while its worker runs.
    auto shortLived = core::make<MovieSlideBar>(gfx::Rect{0, 0, 600, 50});
    shortLived->setMovie(small);
    std::weak_ptr<MovieSlideBar> gone = shortLived;
    shortLived.reset();
    EXPECT_TRUE(gone.expired());
    scene.bar->setMovie(small);
    EXPECT_TRUE(scene.stripFilled(11));
}

TEST(MovieSlideBar, StripsAreRebuiltOnlyWhenTheSlotCountChanges)
{
    BarScene scene;
    auto movie = movieAt(moviekittest::stripMovie());
    scene.bar->setMovie(movie);
    ASSERT_TRUE(scene.stripFilled(9));
    const gfx::ImageRef first = scene.bar->thumbnails()[0];

    // The same movie again, or a few points more, keeps the strip.
    scene.bar->setMovie(movie);
    scene.bar->setFrame({0, 0, 603, 50});
    scene.bar->needsReload();
    ASSERT_EQ(scene.bar->thumbnails().size(), 9u);
    EXPECT_EQ(scene.bar->thumbnails()[0], first);

    // A live resize regenerates once, at its end.
    scene.bar->viewWillStartLiveResize();
    scene.bar->setFrame({0, 0, 800, 50});
    EXPECT_EQ(scene.bar->thumbnailsCount(), 9);
    scene.bar->setFrame({0, 0, 900, 50});
    EXPECT_EQ(scene.bar->thumbnailsCount(), 9);
    scene.bar->viewDidEndLiveResize();
    EXPECT_EQ(scene.bar->thumbnailsCount(), 13);  // 872 / 71.1
    EXPECT_TRUE(scene.stripFilled(13));

    // Out of a window, frame changes ask for nothing.
    scene.bar->removeFromSuperview();
    scene.bar->setFrame({0, 0, 600, 50});
    EXPECT_EQ(scene.bar->thumbnailsCount(), 13);
}

namespace {

int grey(gfx::Pixel p) { return gfx::greenOf(p); }

bool isCursorRed(gfx::Pixel p)
{
    return gfx::redOf(p) > 230 && gfx::greenOf(p) > 40 && gfx::greenOf(p) < 80 && gfx::blueOf(p) < 80;
}

}  // namespace

TEST(MovieSlideBar, DrawsTheStripTheClipFrameTheHandlesAndTheCursor)
{
    BarScene scene;
    auto movie = movieAt(moviekittest::stripMovie());
    scene.bar->setMovie(movie);
    ASSERT_TRUE(scene.stripFilled(9));
    const auto& player = movie->player();
    player->seekAccurately(Time::make(27, 50));
    ASSERT_TRUE(runUntil([&] { return scene.bar->timePosition() == 0.5; }));
    const gfx::ImageRef whole = scene.window->snapshot();
    ASSERT_TRUE(whole);
    ASSERT_EQ(whole->width(), 600);

    // Rows are counted from the top. The cursor: 2 points at 299 and 300, over the whole height of the bar.
    EXPECT_TRUE(isCursorRed(whole->pixel(299, 25)));
    EXPECT_TRUE(isCursorRed(whole->pixel(300, 25)));
    EXPECT_FALSE(isCursorRed(whole->pixel(302, 25)));
    // The thumbnails: the red strip under each frame's index shows in the bottom quarter of the bar.
    const gfx::Pixel strip = whole->pixel(100, 41);
    EXPECT_GT(gfx::redOf(strip), 150);
    EXPECT_LT(gfx::greenOf(strip), 90);

    // A clip from a quarter to three quarters: the frame's gradient runs from 0.24 at the left to 0.36 at the
    // middle; outside the clip the strip is darkened by 0.3, inside it is not.
    player->setClipRange(TimeRange::fromTo(Time::make(27, 100), Time::make(81, 100)));
    const gfx::ImageRef clipped = scene.window->snapshot();
    ASSERT_TRUE(clipped);
    EXPECT_NEAR(grey(clipped->pixel(200, 2)), 0.32 * 255, 8);
    EXPECT_NEAR(grey(clipped->pixel(250, 47)), 0.34 * 255, 8);
    EXPECT_NEAR(gfx::redOf(clipped->pixel(100, 41)), 0.7 * gfx::redOf(strip), 12);
    EXPECT_EQ(clipped->pixel(250, 30), whole->pixel(250, 30));
    // Grip lines of the left handle (143 ... 157): black at 148 and 151, the frame between them.
    EXPECT_EQ(grey(clipped->pixel(148, 25)), 0);
    EXPECT_EQ(grey(clipped->pixel(151, 25)), 0);
    EXPECT_GT(grey(clipped->pixel(150, 25)), 40);
    EXPECT_NEAR(grey(clipped->pixel(148, 10)), grey(clipped->pixel(149, 10)), 3);
}

// The strip of a movie stored turned (a rotation tag in the file) holds its frames upright, in slots of the upright
// shape, grabbed at the slots' full size.
TEST(MovieSlideBar, StripsMoviesWhoseTrackAsksToBeTurnedUpright)
{
    BarScene scene;
    auto movie = movieAt(moviekittest::taggedMovie(90));
    scene.bar->setMovie(movie);
    // Stored 120 × 160, shown 160 × 120: in a bar 40 high, slots of 53.3 × 40.
    ASSERT_TRUE(runUntil([&] { return scene.bar->thumbnailsCount() > 0; }));
    const std::size_t count = std::size_t(scene.bar->thumbnailsCount());
    ASSERT_TRUE(scene.stripFilled(count));
    const double height = 40 * kestrane::screenScale();
    for (std::size_t i = 0; i < count; i += 4) {
        const gfx::ImageRef& image = scene.bar->thumbnails()[i];
        ASSERT_TRUE(image);
        EXPECT_NEAR(image->height(), height, 1) << i;
        EXPECT_NEAR(image->width(), height * 160 / 120, 1) << i;
        EXPECT_GE(frameIndexOf(image), 0) << i;
    }
}

// Turned a quarter, by the user or by a rotation tag in the file, or both, a movie's thumbnails are grabbed at
// the full height of the bar's slots, as sharp as those of a movie shown as stored.
TEST(MovieSlideBar, ThumbnailsFillTheirSlotsWhicheverWayTheMovieIsTurned)
{
    // Shown upright: 320 × 180 and 160 × 120.
    for (const std::string& path : {moviekittest::stripMovie(), moviekittest::taggedMovie(90)})
        for (const bool turnedByTheUser : {false, true}) {
            SCOPED_TRACE(path + (turnedByTheUser ? ", turned a quarter" : ""));
            BarScene scene;
            auto movie = movieAt(path);
            if (turnedByTheUser) movie->changeEdition([](orvalis::Edition& edition) { edition.rotateRight(); });
            scene.bar->setMovie(movie);
            ASSERT_TRUE(runUntil([&] { return scene.bar->thumbnailsCount() > 0; }));
            ASSERT_TRUE(scene.stripFilled(std::size_t(scene.bar->thumbnailsCount())));
            const gfx::Size shown = movie->editedResolution();
            ASSERT_EQ(shown.width < shown.height, turnedByTheUser);
            // Slots 40 points high, of the shape of the picture shown.
            const double height = 40 * kestrane::screenScale();
            for (const gfx::ImageRef& image : scene.bar->thumbnails()) {
                ASSERT_TRUE(image);
                EXPECT_NEAR(image->height(), height, 1);
                EXPECT_NEAR(image->width(), height * shown.width / shown.height, 1);
            }
        }
}

TEST(MovieSlideBar, TheStripCoversTheBarFromEndToEnd)
{
    // 592 points wide: the bar's inside (14 ... 578) takes 8 slots of 71.1 points, the last one cut at the end.
    BarScene scene;
    scene.window->setContentSize({592, 50});
    scene.bar->setFrame({0, 0, 592, 50});
    scene.bar->setMovie(movieAt(moviekittest::stripMovie()));
    ASSERT_EQ(scene.bar->thumbnailsCount(), 8);
    ASSERT_TRUE(scene.stripFilled(8));
    const gfx::ImageRef shot = scene.window->snapshot();
    ASSERT_TRUE(shot);
    ASSERT_EQ(shot->width(), 592);

    // The first slot starts at the bar's left end: the frame read there is the first thumbnail's.
    std::vector<gfx::Pixel> slot;
    for (int y = 5; y < 45; ++y)
        for (int x = 14; x < 85; ++x)
            slot.push_back(shot->pixel(x, y));
    const gfx::ImageRef first = gfx::Image::create(71, 40, std::move(slot));
    ASSERT_TRUE(first);
    EXPECT_EQ(testmovie::readFrameIndex(*first), frameIndexOf(scene.bar->thumbnails()[0]));
    // No black gap at the right end: the strip's red band runs up to the bar's end.
    for (int x : {560, 570, 576})
        EXPECT_GT(gfx::redOf(shot->pixel(x, 41)), 150) << x;
}
