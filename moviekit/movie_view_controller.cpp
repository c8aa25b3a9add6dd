#include "moviekit/movie_view_controller.h"

#include "appkit/sender_tag.h"
#include "foundation/player_extensions.h"
#include "foundation/time_values.h"
#include "moviekit/edition_popover_controller.h"
#include "moviekit/movie_actions.h"
#include "moviekit/movie_panel.h"
#include "moviekit/orvalis_kit.h"
#include "moviekit/player.h"
#include "moviekit/rate_popover_controller.h"
#include "moviekit/volume_popover_controller.h"
#include "platform/core/main_thread.h"
#include "platform/ui/control.h"

#include <cmath>
#include <utility>

namespace orvalis {

namespace {

using Command = void (MovieViewController::*)(const MovieViewController::Sender&);

const std::vector<std::pair<ui::Action, Command>>& commands()
{
    static const std::vector<std::pair<ui::Action, Command>> table = {
        {actions::playPause, &MovieViewController::playPause},
        {actions::seekPreviousFrame, &MovieViewController::seekPreviousFrame},
        {actions::seekNextFrame, &MovieViewController::seekNextFrame},
        {actions::seekToStart, &MovieViewController::seekToStart},
        {actions::seekToEnd, &MovieViewController::seekToEnd},
        {actions::seekToClipStart, &MovieViewController::seekToClipStart},
        {actions::seekToClipEnd, &MovieViewController::seekToClipEnd},
        {actions::setClipStart, &MovieViewController::setClipStart},
        {actions::setClipEnd, &MovieViewController::setClipEnd},
        {actions::choosePlaybackRate, &MovieViewController::choosePlaybackRate},
        {actions::toogleVolume, &MovieViewController::toogleVolume},
        {actions::rotateLeft, &MovieViewController::rotateLeft},
        {actions::rotateRight, &MovieViewController::rotateRight},
        {actions::flipVertically, &MovieViewController::flipVertically},
        {actions::flipHorizontally, &MovieViewController::flipHorizontally},
        {actions::showVolumePopover, &MovieViewController::showVolumePopover},
        {actions::showRatePopover, &MovieViewController::showRatePopover},
        {actions::showEditionPopover, &MovieViewController::showEditionPopover},
    };
    return table;
}

const PictureRef& volumeImage(float volume)
{
    if (volume == 0) return Volume0Template();
    if (std::isnan(volume) || volume >= 1) return Volume3Template();
    if (volume >= 0.5f) return Volume2Template();
    return Volume1Template();
}

void show(const std::weak_ptr<ui::Button>& button, const PictureRef& image)
{
    if (auto shown = button.lock()) shown->setPicture(image);
}

template <class View>
void connect(std::weak_ptr<View>& outlet, const std::shared_ptr<ui::View>& view)
{
    outlet = std::dynamic_pointer_cast<View>(view);
}

}  // namespace

MovieViewController::MovieViewController(std::string nibName) : ViewController(std::move(nibName)) {}

void MovieViewController::awake()
{
    ViewController::awake();
    registerMoviePanel();
    for (const auto& [action, command] : commands())
        registerCommand(action, command);
}

MovieViewController::~MovieViewController()
{
    if (movie_) movie_->player()->removeObserver(*this);
}

const std::vector<ui::Action>& MovieViewController::commandActions()
{
    static const std::vector<ui::Action> actions = [] {
        std::vector<ui::Action> list;
        for (const auto& command : commands())
            list.push_back(command.first);
        return list;
    }();
    return actions;
}

void MovieViewController::setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view)
{
    core::assertMainThread();
    if (name == "movieView")
        connect(movieView_, view);
    else if (name == "timeField")
        connect(timeField_, view);
    else if (name == "movieSlider")
        connect(movieSlider_, view);
    else if (name == "movieSlideBar")
        connect(movieSlideBar_, view);
    else if (name == "playPauseButton")
        connect(playPauseButton_, view);
    else if (name == "beginClipButton")
        connect(beginClipButton_, view);
    else if (name == "endClipButton")
        connect(endClipButton_, view);
    else if (name == "nextFrameButton")
        connect(nextFrameButton_, view);
    else if (name == "previousFrameButton")
        connect(previousFrameButton_, view);
    else if (name == "toogleVolumeButton")
        connect(toogleVolumeButton_, view);
    else if (name == "rotateLeftButton")
        connect(rotateLeftButton_, view);
    else if (name == "rotateRightButton")
        connect(rotateRightButton_, view);
    else if (name == "flipHorizontalButton")
        connect(flipHorizontalButton_, view);
    else if (name == "flipVerticalButton")
        connect(flipVerticalButton_, view);
    else if (name == "popoverVolumeButton")
        connect(popoverVolumeButton_, view);
    else if (name == "popoverRateButton")
        connect(popoverRateButton_, view);
    else if (name == "popoverEditionButton")
        connect(popoverEditionButton_, view);
}

void MovieViewController::awakeFromNib()
{
    core::assertMainThread();
    setupButtonsImages();
    refreshComponents();
}

void MovieViewController::setupButtonsImages()
{
    show(playPauseButton_, PlayTemplate());
    show(toogleVolumeButton_, Volume0Template());
    show(rotateLeftButton_, RotateLeftTemplate());
    show(rotateRightButton_, RotateRightTemplate());
    show(flipHorizontalButton_, FlipHorizontalTemplate());
    show(flipVerticalButton_, FlipVerticalTemplate());
    show(popoverVolumeButton_, Volume0Template());
    show(popoverRateButton_, TurtleTemplate());
    show(popoverEditionButton_, SettingsTemplate());
    show(beginClipButton_, BackwardTemplate());
    show(endClipButton_, ForwardTemplate());
    show(nextFrameButton_, NextFrameTemplate());
    show(previousFrameButton_, PreviousFrameTemplate());
}

std::vector<std::shared_ptr<ui::Button>> MovieViewController::buttons() const
{
    std::vector<std::shared_ptr<ui::Button>> list;
    for (const auto* outlet :
         {&playPauseButton_, &beginClipButton_, &endClipButton_, &nextFrameButton_, &previousFrameButton_,
          &toogleVolumeButton_, &rotateLeftButton_, &rotateRightButton_, &flipVerticalButton_, &flipHorizontalButton_,
          &popoverVolumeButton_, &popoverRateButton_, &popoverEditionButton_})
        if (auto button = outlet->lock()) list.push_back(button);
    return list;
}

bool MovieViewController::holdsPlayableMovie() const { return movie_ && movie_->playable(); }

void MovieViewController::setMovie(const MovieRef& movie)
{
    core::assertMainThread();
    if (movie_) movie_->player()->removeObserver(*this);
    movie_ = movie;
    refreshComponents();
    if (movie_) movie_->player()->addObserver(*this);
}

void MovieViewController::refreshComponents()
{
    if (auto view = movieView()) view->setMovie(movie_);
    if (auto slider = movieSlider()) slider->setMovie(movie_);
    if (auto bar = movieSlideBar()) bar->setMovie(movie_);
    const bool playable = holdsPlayableMovie();
    show(playPauseButton_, PlayTemplate());
    for (const auto& button : buttons())
        button->setEnabled(playable);
    if (auto view = movieView()) view->setEnabledMouse(playable);
    showTime(movie_ ? movie_->player()->currentFrameTime() : media::Time::zero());
}

void MovieViewController::showTime(const media::Time& time)
{
    if (auto field = timeField()) field->setStringValue(kestrane::hhmmssmsDesc(time));
}

int MovieViewController::observerOptions(const Player&)
{
    return (PlayerObserverOptions::time | PlayerObserverOptions::rate | PlayerObserverOptions::userRate |
            PlayerObserverOptions::userVolume)
        .rawValue;
}

void MovieViewController::playerTimeDidChange(Player& player, const media::Time&)
{
    // The clock names the frame on screen, not the time asked for (a seek between two frames, or past the last).
    showTime(player.currentFrameTime());
}

void MovieViewController::playerRateDidChange(Player& player, float)
{
    show(playPauseButton_, player.avplayer()->rate() != 0 ? PauseTemplate() : PlayTemplate());
}

void MovieViewController::playerUserRateDidChange(Player&, float userRate)
{
    show(popoverRateButton_, userRate <= 1 ? TurtleTemplate() : RabbitTemplate());
}

void MovieViewController::playerUserVolumeDidChange(Player&, float userVolume)
{
    show(toogleVolumeButton_, volumeImage(userVolume));
    show(popoverVolumeButton_, volumeImage(userVolume));
}

void MovieViewController::playPause(const Sender&)
{
    core::assertMainThread();
    if (holdsPlayableMovie()) movie_->player()->playPause();
}

void MovieViewController::seekPreviousFrame(const Sender&)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const auto& avplayer = movie_->player()->avplayer();
    avplayer->setRate(0);
    kestrane::seekPreviousFrame(*avplayer);
}

void MovieViewController::seekNextFrame(const Sender&)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const auto& avplayer = movie_->player()->avplayer();
    avplayer->setRate(0);
    kestrane::seekNextFrame(*avplayer);
}

void MovieViewController::seekToStart(const Sender&)
{
    core::assertMainThread();
    if (holdsPlayableMovie()) kestrane::seekAccurately(*movie_->player()->avplayer(), media::Time::zero());
}

void MovieViewController::seekToEnd(const Sender&)
{
    core::assertMainThread();
    if (holdsPlayableMovie()) movie_->player()->seekToEnd();
}

void MovieViewController::seekToClipStart(const Sender&)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const auto player = movie_->player();
    kestrane::seekAccurately(*player->avplayer(), player->clipRange().start);
}

void MovieViewController::seekToClipEnd(const Sender&)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const auto player = movie_->player();
    kestrane::seekAccurately(*player->avplayer(), player->clipRange().end());
}

void MovieViewController::setClipStart(const Sender&)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const auto player = movie_->player();
    const media::Time now = player->avplayer()->currentTime();
    const media::Time end = player->clipRange().end();
    if (now < end) player->setClipRange(media::TimeRange::fromTo(now, end));
}

void MovieViewController::setClipEnd(const Sender&)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const auto player = movie_->player();
    const media::Time now = player->avplayer()->currentTime();
    const media::Time start = player->clipRange().start;
    if (start < now) player->setClipRange(media::TimeRange::fromTo(start, now));
}

void MovieViewController::choosePlaybackRate(const Sender& sender)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    if (const auto tag = kestrane::senderTag(sender)) movie_->player()->setUserRate(float(*tag) / 100);
}

void MovieViewController::toogleVolume(const Sender&)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    const auto player = movie_->player();
    player->setUserVolume(player->avplayer()->volume() == 0 ? 1 : 0);
}

void MovieViewController::changeEdition(void (Edition::*change)())
{
    core::assertMainThread();
    if (holdsPlayableMovie()) movie_->changeEdition([change](Edition& edition) { (edition.*change)(); });
}

void MovieViewController::rotateLeft(const Sender&) { changeEdition(&Edition::rotateLeft); }
void MovieViewController::rotateRight(const Sender&) { changeEdition(&Edition::rotateRight); }
void MovieViewController::flipVertically(const Sender&) { changeEdition(&Edition::flipVertically); }
void MovieViewController::flipHorizontally(const Sender&) { changeEdition(&Edition::flipHorizontally); }

namespace {

// Where a popover opens: the sender when it is a view (the button pressed), else the panel's button for it (a
// menu command), else the picture.
std::shared_ptr<ui::View> anchorOf(const MovieViewController::Sender& sender, const std::shared_ptr<ui::View>& button,
                                   const std::shared_ptr<ui::View>& picture)
{
    if (auto view = std::dynamic_pointer_cast<ui::View>(sender)) return view;
    return button ? button : picture;
}

// Hands the movie to the shared popover and toggles it at the top of the anchor.
template <class Popover>
void togglePopover(const std::shared_ptr<Popover>& popover, const MovieRef& movie,
                   const std::shared_ptr<ui::View>& anchor)
{
    popover->setMovie(movie);
    popover->togglePopoverAtTop(anchor);
}

}  // namespace

void MovieViewController::showVolumePopover(const Sender& sender)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    if (auto anchor = anchorOf(sender, popoverVolumeButton(), movieView()))
        togglePopover(VolumePopoverController::sharedController(), movie_, anchor);
}

void MovieViewController::showRatePopover(const Sender& sender)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    if (auto anchor = anchorOf(sender, popoverRateButton(), movieView()))
        togglePopover(RatePopoverController::sharedController(), movie_, anchor);
}

void MovieViewController::showEditionPopover(const Sender& sender)
{
    core::assertMainThread();
    if (!holdsPlayableMovie()) return;
    if (auto anchor = anchorOf(sender, popoverEditionButton(), movieView()))
        togglePopover(EditionPopoverController::sharedController(), movie_, anchor);
}

bool MovieViewController::validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item)
{
    const ui::Action action = item.action();
    for (const auto& command : commands())
        if (command.first == action) return holdsPlayableMovie();
    return true;
}

}  // namespace orvalis
