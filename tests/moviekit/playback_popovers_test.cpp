// The rate, volume and edition popovers: laid out by the kit's interface files, they show and change the
// player of the movie they were given, and let it go when they close or when it goes away.
#include "moviekit/edition_popover_controller.h"
#include "moviekit/rate_popover_controller.h"
#include "moviekit/volume_popover_controller.h"

#include "appkit/control_extensions.h"
#include "moviekit/movie_actions.h"
#include "moviekit/player.h"
#include "platform/core/notification_center.h"
#include "platform/ui/button.h"
#include "platform/ui/slider.h"
#include "platform/ui/text_field.h"
#include "platform/ui/window.h"
#include "tests/moviekit/panel_support.h"
#include "tests/moviekit/test_movies.h"

#include <gtest/gtest.h>

using kestrane::Orientation;
using orvalis::Movie;

namespace {

namespace actions = orvalis::actions;

std::shared_ptr<Movie> newMovie() { return Movie::create(core::Url::fileURL(moviekittest::smallMovie())); }

template <class Control>
std::shared_ptr<Control> find(const std::shared_ptr<ui::View>& root, const std::string& action = {})
{
    for (const auto& view : root->subviews())
        if (auto control = std::dynamic_pointer_cast<Control>(view))
            if (action.empty() || control->action() == action) return control;
    return nullptr;
}

// Sets the slider as a drag would and sends its action.
void slide(const std::shared_ptr<ui::Slider>& slider, double value)
{
    slider->setDoubleValue(value);
    kestrane::performAction(slider);
}

}  // namespace

TEST(RatePopover, ShowsTheUserRateAndStepsAndSnapsIt)
{
    auto popover = core::make<orvalis::RatePopoverController>();
    const auto view = popover->view();
    const auto label = find<ui::TextField>(view);
    const auto slider = find<ui::Slider>(view, actions::slideRate);
    const auto faster = find<ui::Button>(view, actions::increaseRate);
    const auto slower = find<ui::Button>(view, actions::decreaseRate);
    ASSERT_TRUE(label && slider && faster && slower);
    EXPECT_TRUE(faster->picture());
    EXPECT_EQ(slider->maxValue(), 2);

    const auto movie = newMovie();
    const auto player = movie->player();
    player->setUserRate(1.5f);
    popover->setMovie(movie);
    EXPECT_EQ(label->stringValue(), "Speed: 150%");
    EXPECT_DOUBLE_EQ(slider->doubleValue(), 1.5);

    slider->setDoubleValue(1.9);
    kestrane::performAction(faster);
    EXPECT_EQ(player->userRate(), 2.0f);
    EXPECT_EQ(label->stringValue(), "Speed: 200%");
    kestrane::performAction(faster);
    EXPECT_EQ(player->userRate(), 2.0f);
    slider->setDoubleValue(0.3);
    kestrane::performAction(slower);
    EXPECT_EQ(player->userRate(), float(slider->minValue()));

    slide(slider, 1.03);
    EXPECT_EQ(player->userRate(), 1.0f);
    slide(slider, 0.94);
    EXPECT_FLOAT_EQ(player->userRate(), 0.94f);
    slide(slider, 1.06);
    EXPECT_FLOAT_EQ(player->userRate(), 1.06f);
}

TEST(VolumePopover, ShowsTheVolumeAndStepsItWithinTheSlider)
{
    auto popover = core::make<orvalis::VolumePopoverController>();
    const auto view = popover->view();
    const auto label = find<ui::TextField>(view);
    const auto slider = find<ui::Slider>(view, actions::slideVolume);
    const auto louder = find<ui::Button>(view, actions::increaseVolume);
    const auto quieter = find<ui::Button>(view, actions::decreaseVolume);
    ASSERT_TRUE(label && slider && louder && quieter);

    const auto movie = newMovie();
    const auto player = movie->player();
    popover->setMovie(movie);
    EXPECT_EQ(label->stringValue(), "Volume: 100%");
    slider->setDoubleValue(0.1);
    kestrane::performAction(quieter);
    EXPECT_EQ(player->userVolume(), 0.0f);
    EXPECT_EQ(label->stringValue(), "Volume: 0%");
    kestrane::performAction(louder);
    EXPECT_FLOAT_EQ(player->userVolume(), 0.2f);
    // No snapping here.
    slide(slider, 0.97);
    EXPECT_FLOAT_EQ(player->userVolume(), 0.97f);
}

TEST(PlaybackPopovers, ClosingLetsTheMovieGoAndEndsTheObservation)
{
    auto window = ui::Window::create({0, 0, 300, 200}, ui::StyleMask::titled);
    auto anchor = core::make<ui::View>(gfx::Rect{10, 10, 40, 20});
    window->contentView()->addSubview(anchor);
    window->makeKeyAndOrderFront(nullptr);

    auto popover = core::make<orvalis::RatePopoverController>();
    const auto label = find<ui::TextField>(popover->view());
    const auto movie = newMovie();
    popover->setMovie(movie);
    popover->togglePopoverAtTop(anchor);
    EXPECT_TRUE(popover->popoverIsShown());
    EXPECT_EQ(moviekittest::registrationsOf(popover.get()), 1);

    // Pressed again: the panel hands the movie over once more, then the popover closes.
    popover->setMovie(movie);
    EXPECT_EQ(moviekittest::registrationsOf(popover.get()), 1);
    popover->togglePopoverAtTop(anchor);
    EXPECT_FALSE(popover->popoverIsShown());
    EXPECT_EQ(popover->movie(), nullptr);
    EXPECT_EQ(moviekittest::registrationsOf(popover.get()), 0);
    movie->player()->setUserRate(0.5f);
    EXPECT_EQ(label->stringValue(), "Speed: 100%");
    window->close();
}

// A movie that goes away while the popover shows it (its document closed) leaves no observation behind, and
// nothing the popover does afterwards reaches it.
TEST(PlaybackPopovers, AMovieThatGoesAwayWhileShownLeavesNoRegistrationBehind)
{
    auto popover = core::make<orvalis::VolumePopoverController>();
    const auto view = popover->view();
    const auto label = find<ui::TextField>(view);
    std::weak_ptr<orvalis::Player> gonePlayer;
    {
        const auto movie = newMovie();
        gonePlayer = movie->player();
        popover->setMovie(movie);
        EXPECT_EQ(moviekittest::registrationsOf(popover.get()), 1);
    }
    ASSERT_TRUE(gonePlayer.expired());
    EXPECT_EQ(popover->movie(), nullptr);
    kestrane::performAction(find<ui::Button>(view, actions::increaseVolume));
    slide(find<ui::Slider>(view, actions::slideVolume), 0.3);

    // The popover closes, or another panel hands it its movie.
    popover->setMovie(nullptr);
    EXPECT_EQ(moviekittest::registrationsOf(popover.get()), 0);
    const auto next = newMovie();
    next->player()->setUserVolume(0.4f);
    popover->setMovie(next);
    EXPECT_EQ(moviekittest::registrationsOf(popover.get()), 1);
    EXPECT_EQ(label->stringValue(), "Volume: 40%");
}

TEST(EditionPopover, TurnsAndMirrorsTheMovieOncePerPress)
{
    auto popover = core::make<orvalis::EditionPopoverController>();
    const auto view = popover->view();
    const auto left = find<ui::Button>(view, actions::rotateLeft);
    ASSERT_TRUE(left && find<ui::Button>(view, actions::rotateRight) &&
                find<ui::Button>(view, actions::flipHorizontally) && find<ui::Button>(view, actions::flipVertically));
    kestrane::performAction(left);  // without a movie: nothing

    const auto movie = newMovie();
    int posted = 0;
    const auto counter = core::make<ui::View>();
    core::NotificationCenter::defaultCenter().addObserver(counter.get(), orvalis::MovieDidChangeEdition, movie.get(),
                                                          [&](const core::Notification&) { ++posted; });
    popover->setMovie(movie);
    kestrane::performAction(left);
    kestrane::performAction(left);
    EXPECT_EQ(posted, 2);
    EXPECT_EQ(movie->edition().orientation, Orientation::down);
    kestrane::performAction(find<ui::Button>(view, actions::flipVertically));
    EXPECT_TRUE(movie->edition().verticalFlipped);
    popover->popoverWillClose(*popover->popover());
    EXPECT_EQ(popover->movie(), nullptr);
    core::NotificationCenter::defaultCenter().removeObserver(counter.get());
}
