// The movie view shows the stored frame with the edition applied, exactly as a snap of it; it follows the
// movie's edition and size by itself, and gives a double click and its keys to the player.
#include "moviekit/movie_view.h"

#include "appkit/event_key_code.h"
#include "moviekit/movie.h"
#include "moviekit/player.h"
#include "moviekit/thumbnailer.h"
#include "platform/core/main_loop.h"
#include "platform/ui/transaction.h"
#include "tests/moviekit/panel_support.h"
#include "tests/moviekit/test_movies.h"
#include "tests/platform/core/run_until.h"

#include <gtest/gtest.h>

using kestrane::Orientation;
using media::Time;
using orvalis::Edition;
using orvalis::Movie;
using orvalis::MovieView;
using testsupport::runUntil;

namespace {

std::shared_ptr<Movie> movieAt(const std::string& path) { return Movie::create(core::Url::fileURL(path)); }

Time frameStart(int k) { return Time::make(std::int64_t(k) * 1001, 30000); }

// A movie view filling a window's content area.
struct Shown {
    explicit Shown(const gfx::Size& size = {320, 240})
        : window(ui::Window::create({{0, 0}, size}, ui::StyleMask::titled)),
          view(core::make<MovieView>(gfx::Rect{{0, 0}, size}))
    {
        view->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
        window->contentView()->addSubview(view);
    }
    ~Shown() { window->close(); }

    // Shows the movie at frame k, waiting until its picture is on the layer.
    bool showFrame(const std::shared_ptr<Movie>& movie, int k)
    {
        view->setMovie(movie);
        movie->player()->seekAccurately(frameStart(k));
        return runUntil([&] {
            const auto& layer = view->playerLayer();
            return layer && layer->currentFrame() && testmovie::readFrameIndex(*layer->currentFrame()) == k;
        });
    }

    ui::Event click(int count) const
    {
        return ui::Event::mouseEvent(ui::EventType::leftMouseUp, {50, 50}, 0, 0, window->windowNumber(), count, 1);
    }

    std::shared_ptr<ui::Window> window;
    std::shared_ptr<MovieView> view;
};

ui::Event key(std::uint16_t code)
{
    return ui::Event::keyEvent(ui::EventType::keyDown, {}, 0, 0, 0, "", "", false, code);
}

}  // namespace

TEST(MovieView, FitsTheEditedPictureIntoItsBounds)
{
    Shown shown({400, 300});
    const auto movie = movieAt(moviekittest::hdMovie());
    shown.view->setMovie(movie);
    EXPECT_EQ(shown.view->videoRect(), (gfx::Rect{0, 37.5, 400, 225}));

    ui::Transaction::withoutAnimation([&] { movie->setEdition(Edition(Orientation::right, false, false)); });
    // A quarter turn scaled by the bounds' height-to-width ratio, the turned picture centred in the bounds.
    const gfx::AffineTransform turn = shown.view->playerLayer()->affineTransform();
    EXPECT_NEAR(turn.a, 0, 1e-9);
    EXPECT_NEAR(turn.b, -0.75, 1e-9);
    EXPECT_NEAR(turn.c, 0.75, 1e-9);
    EXPECT_NEAR(turn.d, 0, 1e-9);
    const gfx::Rect turned = shown.view->videoRect();
    EXPECT_NEAR(turned.minX(), 115.625, 1e-6);
    EXPECT_NEAR(turned.minY(), 0, 1e-6);
    EXPECT_NEAR(turned.width(), 168.75, 1e-6);
    EXPECT_NEAR(turned.height(), 300, 1e-6);

    // The view's size changes: the picture follows at once.
    shown.window->setContentSize({300, 400});
    EXPECT_NEAR(shown.view->videoRect().width(), 225, 1e-6);
    EXPECT_NEAR(shown.view->videoRect().height(), 400, 1e-6);
}

TEST(MovieView, KeepsItsLayerForTheSameMovieAndShowsNothingForNoneOrAnUnplayableOne)
{
    Shown shown;
    EXPECT_EQ(shown.view->playerLayer(), nullptr);
    EXPECT_EQ(shown.view->videoRect(), shown.view->bounds());
    const auto movie = movieAt(moviekittest::smallMovie());
    shown.view->setMovie(movie);
    const auto layer = shown.view->playerLayer();
    ASSERT_TRUE(layer);
    shown.view->setMovie(movie);
    EXPECT_EQ(shown.view->playerLayer(), layer);

    shown.view->setMovie(movieAt(moviekittest::fileWith("Not A Movie.mov", "plain text")));
    EXPECT_EQ(shown.view->playerLayer(), nullptr);
    EXPECT_EQ(layer->superlayer(), nullptr);
    shown.view->setMovie(nullptr);
    EXPECT_EQ(shown.view->movie(), nullptr);
    EXPECT_EQ(shown.view->videoRect(), shown.view->bounds());
}

TEST(MovieView, FollowsTheEditionOfItsMovieOnly)
{
    Shown shown({400, 300});
    const auto movie = movieAt(moviekittest::hdMovie());
    const auto other = movieAt(moviekittest::hdMovie());
    shown.view->setMovie(movie);
    ui::Transaction::withoutAnimation([&] { other->setEdition(Edition(Orientation::left, false, false)); });
    EXPECT_EQ(shown.view->videoRect().width(), 400);
    ui::Transaction::withoutAnimation([&] { movie->setEdition(Edition(Orientation::left, false, false)); });
    EXPECT_NEAR(shown.view->videoRect().width(), 168.75, 1e-6);

    // Another movie takes the registration with it.
    shown.view->setMovie(other);
    ui::Transaction::withoutAnimation([&] { movie->setEdition(Edition::identity); });
    EXPECT_NEAR(shown.view->videoRect().width(), 168.75, 1e-6);
}

// Screen and snap agree in shape and in where every part of the frame lands, for movies whose track asks to
// be turned, whatever the edition.
TEST(MovieView, ShowsWhatASnapWithTheSameEditionGives)
{
    const std::vector<Edition> editions = [] {
        std::vector<Edition> list;
        for (auto orientation : {Orientation::up, Orientation::right, Orientation::down, Orientation::left})
            for (auto [h, v] : {std::pair{false, false}, {true, false}, {false, true}, {true, true}})
                list.emplace_back(orientation, h, v);
        return list;
    }();
    for (int degrees : {0, 90, 180, 270}) {
        SCOPED_TRACE("track turned " + std::to_string(degrees));
        Shown shown;
        const auto movie = movieAt(moviekittest::rotatedMovie(degrees));
        ASSERT_TRUE(shown.showFrame(movie, 5));
        orvalis::Thumbnailer thumbnailer(movie);
        for (const Edition& edition : editions) {
            SCOPED_TRACE("orientation " + std::to_string(int(edition.orientation)) + " flips " +
                         std::to_string(edition.horizontalFlipped) + std::to_string(edition.verticalFlipped));
            ui::Transaction::withoutAnimation([&] { movie->setEdition(edition); });
            thumbnailer.setEdition(edition);
            const auto snap = thumbnailer.accurateImage(frameStart(5));
            const auto screen = moviekittest::shownPicture(*shown.window, *shown.view);
            ASSERT_TRUE(snap && screen);
            EXPECT_NEAR(double(screen->width()) / screen->height(), double(snap->width()) / snap->height(), 0.05);
            EXPECT_GT(moviekittest::agreement(*screen, *snap), 0.95);
        }
        // The comparison tells a mirrored picture apart.
        ui::Transaction::withoutAnimation([&] { movie->setEdition(Edition::identity); });
        thumbnailer.setEdition(Edition::identity.flippedHorizontally());
        const auto mirrored = thumbnailer.accurateImage(frameStart(5));
        EXPECT_LT(moviekittest::agreement(*moviekittest::shownPicture(*shown.window, *shown.view), *mirrored), 0.9);
    }
}

TEST(MovieView, ADoubleClickAndTheKeysDriveThePlayerWhileTheMouseIsEnabled)
{
    Shown shown;
    const auto movie = movieAt(moviekittest::smallMovie());
    ASSERT_TRUE(shown.showFrame(movie, 10));
    const auto player = movie->player();

    shown.view->mouseUp(shown.click(1));
    EXPECT_TRUE(player->isPaused());
    shown.view->mouseUp(shown.click(2));
    EXPECT_TRUE(player->playing());
    shown.view->mouseUp(shown.click(2));
    EXPECT_TRUE(player->isPaused());

    player->seekAccurately(frameStart(10));
    ASSERT_TRUE(runUntil([&] { return player->currentTime() == frameStart(10); }));
    shown.view->keyDown(key(kestrane::EventKeyCode::rightArrow));
    EXPECT_TRUE(runUntil([&] { return player->currentTime() == frameStart(11); }));
    shown.view->keyDown(key(kestrane::EventKeyCode::leftArrow));
    shown.view->keyDown(key(kestrane::EventKeyCode::leftArrow));
    EXPECT_TRUE(runUntil([&] { return player->currentTime() == frameStart(9); }));
    shown.view->keyDown(key(kestrane::EventKeyCode::space));
    EXPECT_TRUE(player->playing());
    shown.view->keyDown(key(kestrane::EventKeyCode::space));
    EXPECT_TRUE(player->isPaused());

    shown.view->setEnabledMouse(false);
    shown.view->mouseUp(shown.click(2));
    shown.view->keyDown(key(kestrane::EventKeyCode::space));
    EXPECT_TRUE(player->isPaused());
    shown.view->keyDown(key(kestrane::EventKeyCode::rightArrow));
    core::MainLoop::processEvents(0.2);
    EXPECT_EQ(player->currentTime(), frameStart(9));
}

// A movie stored turned, as phones store theirs (a rotation tag in the file), is shown upright, in the picture's
// upright shape; after a quarter turn with the edition, each flip mirrors the picture on screen along the axis the user
// sees.
TEST(MovieView, ShowsMoviesWhoseTrackAsksToBeTurnedUpright)
{
    const Edition mirror = Edition::identity.flippedHorizontally();
    const Edition upsideDown = Edition::identity.flippedVertically();
    for (int degrees : {90, 180, 270}) {
        SCOPED_TRACE(std::to_string(degrees) + " degrees");
        Shown shown;
        const auto movie = movieAt(moviekittest::taggedMovie(degrees));
        shown.view->setMovie(movie);
        movie->player()->seekAccurately(frameStart(7));
        // The frame as stored does not read; the picture on screen does.
        ASSERT_TRUE(runUntil([&] { return moviekittest::shownFrameIndex(*shown.window, *shown.view) == 7; }));
        EXPECT_EQ(testmovie::readFrameIndex(*shown.view->playerLayer()->currentFrame()), -1);
        const gfx::Rect rect = shown.view->videoRect();
        EXPECT_NEAR(rect.width() / rect.height(), 160.0 / 120, 0.01);

        ui::Transaction::withoutAnimation([&] { movie->changeEdition([](Edition& e) { e.rotateRight(); }); });
        const auto turned = moviekittest::shownPicture(*shown.window, *shown.view);
        ui::Transaction::withoutAnimation([&] { movie->changeEdition([](Edition& e) { e.flipHorizontally(); }); });
        const auto leftRight = moviekittest::shownPicture(*shown.window, *shown.view);
        ui::Transaction::withoutAnimation([&] {
            movie->changeEdition([](Edition& e) {
                e.flipHorizontally();
                e.flipVertically();
            });
        });
        const auto topBottom = moviekittest::shownPicture(*shown.window, *shown.view);
        ASSERT_TRUE(turned && leftRight && topBottom);
        EXPECT_GT(moviekittest::agreement(*leftRight, *mirror.apply(turned)), 0.95);
        EXPECT_LT(moviekittest::agreement(*leftRight, *upsideDown.apply(turned)), 0.9);
        EXPECT_GT(moviekittest::agreement(*topBottom, *upsideDown.apply(turned)), 0.95);
        EXPECT_LT(moviekittest::agreement(*topBottom, *mirror.apply(turned)), 0.9);
    }
}
