// The movie slider follows the player's time, scrubs it when dragged (pausing playback for the drag), and
// stays disabled at 0 without a playable movie.
#include "moviekit/movie_slider.h"

#include "foundation/player_extensions.h"
#include "foundation/time_operators.h"
#include "moviekit/player.h"
#include "platform/ui/detail/qt_control.h"
#include "tests/moviekit/test_movies.h"
#include "tests/platform/core/run_until.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cmath>

using kestrane::operator*;
using media::Time;
using orvalis::Movie;
using orvalis::MovieSlider;
using testsupport::runUntil;
using State = kestrane::TrackingSlider::TrackingState;

namespace {

// A 200 × 20 slider over a 90 s movie whose player runs on a clock only the test moves.
struct SliderScene {
    SliderScene()
    {
        movie->player()->avplayer()->setClock(clock);
        slider->setMovie(movie);
    }
    ~SliderScene() { slider->setMovie(nullptr); }

    void mouse(QEvent::Type type, double x, Qt::MouseButtons buttons)
    {
        QWidget* widget = ui::controlWidget(*slider->trackingSlider());
        const QPointF at(x, 10);
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    void press(double x) { mouse(QEvent::MouseButtonPress, x, Qt::LeftButton); }
    void drag(double x) { mouse(QEvent::MouseMove, x, Qt::LeftButton); }
    void release(double x) { mouse(QEvent::MouseButtonRelease, x, Qt::NoButton); }
    double value() const { return slider->trackingSlider()->doubleValue(); }
    bool landsOn(const Time& t)
    {
        return runUntil([&] { return player()->currentTime() == t; });
    }
    std::shared_ptr<orvalis::Player> player() const { return movie->player(); }
    // The player's time for the slider's value now.
    Time timeOfValue() const { return *kestrane::duration(*player()->avplayer()) * value(); }

    std::shared_ptr<media::ManualPlaybackClock> clock = std::make_shared<media::ManualPlaybackClock>();
    std::shared_ptr<Movie> movie = Movie::create(core::Url::fileURL(moviekittest::secondsMovie(90)));
    std::shared_ptr<MovieSlider> slider = core::make<MovieSlider>(gfx::Rect{0, 0, 200, 20});
};

}  // namespace

TEST(MovieSlider, FollowsThePlayersTime)
{
    SliderScene scene;
    const auto& tracking = scene.slider->trackingSlider();
    EXPECT_TRUE(tracking->isEnabled());
    EXPECT_EQ(tracking->minValue(), 0);
    EXPECT_EQ(tracking->maxValue(), 1);
    EXPECT_EQ(tracking->frame(), scene.slider->bounds());
    EXPECT_EQ(scene.value(), 0);
    scene.player()->seekAccurately(Time::make(45, 1));
    ASSERT_TRUE(runUntil([&] { return scene.value() == 0.5; }));

    // The same movie again changes nothing; none disables the slider at 0 and ends the observation.
    scene.slider->setMovie(scene.movie);
    EXPECT_EQ(scene.value(), 0.5);
    scene.slider->setMovie(nullptr);
    EXPECT_FALSE(tracking->isEnabled());
    EXPECT_EQ(scene.value(), 0);
    scene.player()->seekAccurately(Time::make(30, 1));
    ASSERT_TRUE(scene.landsOn(Time::make(30, 1)));
    EXPECT_EQ(scene.value(), 0);

    // A new movie shows where its player is at once.
    scene.slider->setMovie(scene.movie);
    EXPECT_TRUE(tracking->isEnabled());
    EXPECT_DOUBLE_EQ(scene.value(), 1.0 / 3);
}

TEST(MovieSlider, ADragScrubsAndResumesWhatWasPlaying)
{
    SliderScene scene;
    scene.player()->play();
    scene.press(50);
    EXPECT_EQ(scene.slider->trackingSlider()->trackingState(), State::willStart);
    EXPECT_TRUE(scene.player()->isPaused());
    EXPECT_GT(scene.value(), 0);
    ASSERT_TRUE(scene.landsOn(scene.timeOfValue()));

    scene.drag(150);
    const double dragged = scene.value();
    EXPECT_GT(dragged, 0.5);
    ASSERT_TRUE(scene.landsOn(scene.timeOfValue()));
    // While the drag goes on, the player's reports leave the knob under the mouse.
    scene.player()->seekAccurately(Time::make(3, 1));
    ASSERT_TRUE(scene.landsOn(Time::make(3, 1)));
    QApplication::processEvents();
    EXPECT_EQ(scene.value(), dragged);
    scene.drag(150);
    ASSERT_TRUE(scene.landsOn(scene.timeOfValue()));

    // The release resumes playback at the user rate without seeking again.
    const Time before = scene.player()->currentTime();
    scene.release(150);
    EXPECT_EQ(scene.player()->rate(), 1.0f);
    QApplication::processEvents();
    EXPECT_EQ(scene.player()->currentTime(), before);

    // A drag over a paused movie leaves it paused.
    scene.player()->pause();
    scene.press(20);
    scene.drag(40);
    scene.release(40);
    EXPECT_TRUE(scene.player()->isPaused());
    ASSERT_TRUE(scene.landsOn(scene.timeOfValue()));
    // Afterwards the knob follows the player again.
    scene.player()->seekAccurately(Time::make(9, 1));
    ASSERT_TRUE(runUntil([&] { return scene.value() == 0.1; }));
}

TEST(MovieSlider, AMovieThatCannotPlayLeavesItDisabledAtZero)
{
    auto slider = core::make<MovieSlider>(gfx::Rect{0, 0, 200, 20});
    EXPECT_FALSE(slider->trackingSlider()->isEnabled());
    EXPECT_EQ(slider->trackingSlider()->doubleValue(), 0);
    // Its player is observed and reports a time at once, over a duration of nothing.
    for (const std::string& path : {moviekittest::missingFile(), moviekittest::fileWith("Noise.mov", "not a movie")}) {
        auto movie = Movie::create(core::Url::fileURL(path));
        slider->setMovie(movie);
        EXPECT_FALSE(slider->trackingSlider()->isEnabled()) << path;
        EXPECT_EQ(slider->trackingSlider()->doubleValue(), 0) << path;
        movie->player()->triggerObserver(*slider);
        EXPECT_EQ(slider->trackingSlider()->doubleValue(), 0) << path;
    }
    slider->setMovie(nullptr);
}
