// The movie panel driven as a user drives it: its buttons, the keys of its window, its popovers and menu
// commands act on the player and the edition of a generated movie, and the picture, the button images, the
// time text and the enabled commands follow.
#include "moviekit/movie_view_controller.h"

#include "appkit/control_extensions.h"
#include "appkit/event_key_code.h"
#include "appkit/responder_extensions.h"
#include "foundation/time_values.h"
#include "moviekit/edition_popover_controller.h"
#include "moviekit/movie_actions.h"
#include "moviekit/movie_panel.h"
#include "moviekit/movie_window.h"
#include "moviekit/orvalis_kit.h"
#include "moviekit/player.h"
#include "moviekit/rate_popover_controller.h"
#include "moviekit/volume_popover_controller.h"
#include "platform/core/main_loop.h"
#include "platform/ui/application.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/slider.h"
#include "platform/ui/transaction.h"
#include "tests/moviekit/panel_support.h"
#include "tests/moviekit/test_movies.h"
#include "tests/platform/core/run_until.h"

#include <gtest/gtest.h>

using kestrane::Orientation;
using media::Time;
using orvalis::Movie;
using orvalis::MovieViewController;
using testsupport::runUntil;

namespace {

namespace actions = orvalis::actions;

Time frameStart(int k) { return Time::make(std::int64_t(k) * 1001, 30000); }

struct Item : ui::ValidatedUserInterfaceItem {
    explicit Item(ui::Action action) : action_(std::move(action)) {}
    ui::Action action() const override { return action_; }
    long tag() const override { return 0; }
    ui::Action action_;
};

template <class Control>
std::shared_ptr<Control> find(const std::shared_ptr<ui::View>& root, const std::string& action)
{
    for (const auto& view : root->subviews())
        if (auto control = std::dynamic_pointer_cast<Control>(view); control && control->action() == action)
            return control;
    return nullptr;
}

// The panel in a movie window, its controller in the window's responder chain, as a document shows it.
struct Panel {
    Panel()
    {
        panel = controller->view();
        panel->setFrame(window->contentView()->bounds());
        window->contentView()->addSubview(panel);
        kestrane::insertNextResponder(*window, controller);
        window->makeKeyAndOrderFront(nullptr);
    }
    ~Panel()
    {
        for (auto popover :
             {std::static_pointer_cast<kestrane::PopoverController>(orvalis::RatePopoverController::sharedController()),
              std::static_pointer_cast<kestrane::PopoverController>(
                  orvalis::VolumePopoverController::sharedController()),
              std::static_pointer_cast<kestrane::PopoverController>(
                  orvalis::EditionPopoverController::sharedController())})
            popover->closePopover();
        window->close();
    }

    // Hands the panel a movie whose playback follows a clock moved by hand.
    std::shared_ptr<Movie> showMovie(const std::string& path = moviekittest::smallMovie())
    {
        auto movie = Movie::create(core::Url::fileURL(path));
        movie->player()->avplayer()->setClock(clock);
        controller->setMovie(movie);
        return movie;
    }

    int shownIndex() { return moviekittest::shownFrameIndex(*window, *controller->movieView()); }
    bool shows(int k)
    {
        return runUntil([&] { return shownIndex() == k; });
    }
    void press(const std::string& action) { find<ui::Button>(panel, action)->performClick(nullptr); }
    void type(std::uint16_t keyCode)
    {
        window->sendEvent(
            ui::Event::keyEvent(ui::EventType::keyDown, {}, 0, 0, window->windowNumber(), "", "", false, keyCode));
    }
    bool validates(const ui::Action& action) { return controller->validateUserInterfaceItem(Item(action)); }
    std::string time() { return controller->timeField()->stringValue(); }

    std::shared_ptr<orvalis::MovieWindow> window =
        orvalis::MovieWindow::create({0, 0, 720, 480}, ui::StyleMask::titled | ui::StyleMask::resizable);
    std::shared_ptr<MovieViewController> controller = core::make<MovieViewController>();
    std::shared_ptr<ui::View> panel;
    std::shared_ptr<media::ManualPlaybackClock> clock = std::make_shared<media::ManualPlaybackClock>();
};

const std::vector<std::pair<std::string, const orvalis::PictureRef& (*)()>> startImages = {
    {actions::playPause, orvalis::PlayTemplate},
    {actions::toogleVolume, orvalis::Volume0Template},
    {actions::rotateLeft, orvalis::RotateLeftTemplate},
    {actions::rotateRight, orvalis::RotateRightTemplate},
    {actions::flipHorizontally, orvalis::FlipHorizontalTemplate},
    {actions::flipVertically, orvalis::FlipVerticalTemplate},
    {actions::showVolumePopover, orvalis::Volume0Template},
    {actions::showRatePopover, orvalis::TurtleTemplate},
    {actions::showEditionPopover, orvalis::SettingsTemplate},
    {actions::seekToClipStart, orvalis::BackwardTemplate},
    {actions::seekToClipEnd, orvalis::ForwardTemplate},
    {actions::seekNextFrame, orvalis::NextFrameTemplate},
    {actions::seekPreviousFrame, orvalis::PreviousFrameTemplate},
};

bool isStrip(gfx::Pixel p) { return gfx::redOf(p) > 150 && gfx::greenOf(p) < 110 && gfx::blueOf(p) < 110; }

}  // namespace

TEST(MovieViewController, CommandsAndButtonsAreEnabledExactlyWithAPlayableMovie)
{
    Panel p;
    ASSERT_EQ(p.panel->frame().size, p.window->contentSize());
    for (const auto& [action, image] : startImages) {
        const auto button = find<ui::Button>(p.panel, action);
        ASSERT_TRUE(button) << action;
        EXPECT_EQ(button->picture(), image()) << action;
        EXPECT_FALSE(button->isEnabled()) << action;
        EXPECT_FALSE(button->toolTip().empty()) << action;
    }
    EXPECT_EQ(MovieViewController::commandActions().size(), 18u);
    for (const auto& action : MovieViewController::commandActions())
        EXPECT_FALSE(p.validates(action)) << action;
    EXPECT_TRUE(p.validates("copy:"));
    EXPECT_EQ(p.time(), "00:00:00:000");
    EXPECT_FALSE(p.controller->movieView()->enabledMouse());

    const auto movie = p.showMovie();
    for (const auto& [action, image] : startImages)
        EXPECT_TRUE(find<ui::Button>(p.panel, action)->isEnabled());
    for (const auto& action : MovieViewController::commandActions())
        EXPECT_TRUE(p.validates(action)) << action;
    EXPECT_TRUE(p.controller->movieView()->enabledMouse());
    EXPECT_EQ(p.controller->movieView()->movie(), movie);
    EXPECT_EQ(p.controller->movieSlider()->movie(), movie);
    EXPECT_EQ(p.controller->movieSlideBar()->movie(), movie);

    // A file that cannot be played: shown, but nothing acts on it.
    p.showMovie(moviekittest::fileWith("Broken.mov", "no movie in here"));
    for (const auto& [action, image] : startImages)
        EXPECT_FALSE(find<ui::Button>(p.panel, action)->isEnabled());
    for (const auto& action : MovieViewController::commandActions())
        EXPECT_FALSE(p.validates(action)) << action;
    EXPECT_FALSE(p.controller->movieView()->enabledMouse());
    p.controller->playPause(nullptr);
    p.controller->rotateLeft(nullptr);
    EXPECT_TRUE(p.controller->movie()->edition().isIdentity());
}

TEST(MovieViewController, PlaysPausesAndStepsThePicture)
{
    Panel p;
    const auto movie = p.showMovie();
    const auto player = movie->player();
    ASSERT_TRUE(p.shows(0));

    p.press(actions::playPause);
    EXPECT_TRUE(player->playing());
    EXPECT_EQ(p.controller->playPauseButton()->picture(), orvalis::PauseTemplate());
    p.clock->advance(0.25);
    EXPECT_TRUE(runUntil([&] { return p.shownIndex() >= 7; }));
    p.press(actions::playPause);
    EXPECT_TRUE(player->isPaused());
    EXPECT_EQ(p.controller->playPauseButton()->picture(), orvalis::PlayTemplate());
    const int stopped = p.shownIndex();
    core::MainLoop::processEvents(0.1);
    EXPECT_EQ(p.shownIndex(), stopped);

    p.press(actions::seekNextFrame);
    EXPECT_TRUE(p.shows(stopped + 1));
    p.press(actions::seekPreviousFrame);
    p.press(actions::seekPreviousFrame);
    EXPECT_TRUE(p.shows(stopped - 1));
    EXPECT_TRUE(runUntil([&] { return p.time() == kestrane::hhmmssmsDesc(frameStart(stopped - 1)); }));

    // Stepping also stops playback.
    player->play();
    p.controller->seekNextFrame(nullptr);
    EXPECT_TRUE(player->isPaused());
}

TEST(MovieViewController, TheWindowsKeysStepPlayAndSetTheClip)
{
    Panel p;
    const auto movie = p.showMovie();
    const auto player = movie->player();
    player->seekAccurately(frameStart(10));
    ASSERT_TRUE(p.shows(10));

    p.type(kestrane::EventKeyCode::rightArrow);
    EXPECT_TRUE(p.shows(11));
    p.type(kestrane::EventKeyCode::leftArrow);
    p.type(kestrane::EventKeyCode::leftArrow);
    EXPECT_TRUE(p.shows(9));

    p.type(kestrane::EventKeyCode::letterI);
    EXPECT_EQ(player->clipRange(), media::TimeRange::fromTo(frameStart(9), frameStart(48)));
    player->seekAccurately(frameStart(30));
    ASSERT_TRUE(p.shows(30));
    p.type(kestrane::EventKeyCode::letterO);
    EXPECT_EQ(player->clipRange(), media::TimeRange::fromTo(frameStart(9), frameStart(30)));

    // The clip buttons go to its ends.
    p.press(actions::seekToClipStart);
    EXPECT_TRUE(p.shows(9));
    p.press(actions::seekToClipEnd);
    EXPECT_TRUE(p.shows(30));

    // Neither end moves past the other: at the clip's end I changes nothing, at its start O neither.
    p.type(kestrane::EventKeyCode::letterI);
    EXPECT_EQ(player->clipRange(), media::TimeRange::fromTo(frameStart(9), frameStart(30)));
    player->seekAccurately(frameStart(9));
    ASSERT_TRUE(p.shows(9));
    p.type(kestrane::EventKeyCode::letterO);
    EXPECT_EQ(player->clipRange(), media::TimeRange::fromTo(frameStart(9), frameStart(30)));

    p.type(kestrane::EventKeyCode::space);
    EXPECT_TRUE(player->playing());
    p.type(kestrane::EventKeyCode::space);
    EXPECT_TRUE(player->isPaused());
}

TEST(MovieViewController, ButtonImagesFollowThePlayer)
{
    Panel p;
    const auto movie = Movie::create(core::Url::fileURL(moviekittest::smallMovie()));
    const auto player = movie->player();
    player->setUserRate(2);
    player->setUserVolume(0.3f);
    player->play();
    p.controller->setMovie(movie);
    EXPECT_EQ(p.controller->playPauseButton()->picture(), orvalis::PauseTemplate());
    EXPECT_EQ(p.controller->popoverRateButton()->picture(), orvalis::RabbitTemplate());
    EXPECT_EQ(p.controller->popoverVolumeButton()->picture(), orvalis::Volume1Template());
    EXPECT_EQ(find<ui::Button>(p.panel, actions::toogleVolume)->picture(), orvalis::Volume1Template());
    player->pause();

    const std::vector<std::pair<float, const orvalis::PictureRef& (*)()>> rates = {
        {1, orvalis::TurtleTemplate}, {1.25f, orvalis::RabbitTemplate}, {0.5f, orvalis::TurtleTemplate}};
    for (const auto& [rate, image] : rates) {
        player->setUserRate(rate);
        EXPECT_EQ(p.controller->popoverRateButton()->picture(), image()) << rate;
    }
    const std::vector<std::pair<float, const orvalis::PictureRef& (*)()>> volumes = {{0, orvalis::Volume0Template},
                                                                                     {0.2f, orvalis::Volume1Template},
                                                                                     {0.5f, orvalis::Volume2Template},
                                                                                     {0.99f, orvalis::Volume2Template},
                                                                                     {1, orvalis::Volume3Template}};
    for (const auto& [volume, image] : volumes) {
        player->setUserVolume(volume);
        EXPECT_EQ(p.controller->popoverVolumeButton()->picture(), image()) << volume;
    }

    // The mute button, and a rate chosen from a menu by its tag.
    player->setUserVolume(0.4f);
    p.press(actions::toogleVolume);
    EXPECT_EQ(player->userVolume(), 0);
    p.press(actions::toogleVolume);
    EXPECT_EQ(player->userVolume(), 1);
    auto half = core::make<ui::MenuItem>("Half Speed", actions::choosePlaybackRate, "");
    half->setTag(50);
    ui::Application::shared()->sendAction(actions::choosePlaybackRate, nullptr, half);
    EXPECT_EQ(player->userRate(), 0.5f);
}

TEST(MovieViewController, HandsItsMovieToThePopoversWhoseControlsDriveThePlayerAndTheEdition)
{
    Panel p;
    const auto movie = p.showMovie();
    const auto player = movie->player();

    p.press(actions::showRatePopover);
    const auto& rate = orvalis::RatePopoverController::sharedController();
    EXPECT_TRUE(rate->popoverIsShown());
    EXPECT_EQ(rate->movie(), movie);
    kestrane::performAction(find<ui::Button>(rate->view(), actions::increaseRate));
    EXPECT_FLOAT_EQ(player->userRate(), 1.2f);
    EXPECT_EQ(p.controller->popoverRateButton()->picture(), orvalis::RabbitTemplate());
    p.press(actions::showRatePopover);
    EXPECT_FALSE(rate->popoverIsShown());
    EXPECT_EQ(rate->movie(), nullptr);

    p.press(actions::showVolumePopover);
    const auto& volume = orvalis::VolumePopoverController::sharedController();
    EXPECT_EQ(volume->movie(), movie);
    find<ui::Slider>(volume->view(), actions::slideVolume)->setDoubleValue(0.1);
    kestrane::performAction(find<ui::Button>(volume->view(), actions::decreaseVolume));
    EXPECT_EQ(player->userVolume(), 0);
    EXPECT_EQ(find<ui::Button>(p.panel, actions::toogleVolume)->picture(), orvalis::Volume0Template());

    // The picture follows the edition: turned right, the strip at the bottom of the frame is on the left.
    ASSERT_TRUE(p.shows(0));
    p.press(actions::showEditionPopover);
    const auto& edition = orvalis::EditionPopoverController::sharedController();
    EXPECT_EQ(edition->movie(), movie);
    kestrane::performAction(find<ui::Button>(edition->view(), actions::rotateRight));
    EXPECT_EQ(movie->edition().orientation, Orientation::right);
    EXPECT_TRUE(runUntil([&] {
        const auto picture = moviekittest::shownPicture(*p.window, *p.controller->movieView());
        if (!picture || picture->width() >= picture->height()) return false;
        return isStrip(picture->pixel(picture->width() / 10, picture->height() / 2)) &&
               !isStrip(picture->pixel(picture->width() * 9 / 10, picture->height() / 2));
    }));
    // The panel's own buttons change it too, and the picture comes back upright.
    p.press(actions::rotateLeft);
    p.press(actions::flipHorizontally);
    p.press(actions::flipHorizontally);
    p.press(actions::flipVertically);
    p.press(actions::flipVertically);
    EXPECT_TRUE(movie->edition().isIdentity());
    EXPECT_TRUE(runUntil([&] { return p.shownIndex() == 0; }));
}

TEST(MovieViewController, ObservesOnlyThePlayerOfTheMovieItHolds)
{
    Panel p;
    const auto first = p.showMovie();
    EXPECT_EQ(moviekittest::registrationsOf(p.controller.get()), 4);
    p.controller->setMovie(first);
    EXPECT_EQ(moviekittest::registrationsOf(p.controller.get()), 4);
    first->player()->seekAccurately(frameStart(6));
    EXPECT_TRUE(runUntil([&] { return p.time() == kestrane::hhmmssmsDesc(frameStart(6)); }));

    const auto second = p.showMovie(moviekittest::hdMovie());
    EXPECT_EQ(moviekittest::registrationsOf(p.controller.get()), 4);
    EXPECT_EQ(p.time(), "00:00:00:000");
    first->player()->setUserRate(2);
    EXPECT_EQ(p.controller->popoverRateButton()->picture(), orvalis::TurtleTemplate());

    p.controller->setMovie(nullptr);
    EXPECT_EQ(moviekittest::registrationsOf(p.controller.get()), 0);
    EXPECT_EQ(p.time(), "00:00:00:000");

    // Gone while holding a movie, it leaves that movie's player.
    p.controller->setMovie(second);
    const core::Object* identity = p.controller.get();
    p.window->contentView()->setNextResponder(nullptr);
    p.panel->removeFromSuperview();
    p.controller.reset();
    p.panel.reset();
    EXPECT_EQ(moviekittest::registrationsOf(identity), 0);
}
