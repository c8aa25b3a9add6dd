// The controller of the movie panel that document and batch windows show. It owns no views: the panel's
// layout (moviekit/movie_panel.h) connects it to a movie view, a time field, a time slider, a slide bar and
// thirteen buttons. Handed a Movie, it passes the movie on to those views, drives the movie's player from the
// buttons, the menu commands and the keys (actions reaching it along the responder chain), keeps the button
// images and the time text in step with the player as one of its observers, enables every command only while
// it holds a movie that can be played, and opens the shared rate, volume and edition popovers. Every outlet
// is held weakly and may be missing. Main thread only.
#pragma once

#include "moviekit/interface_file.h"
#include "moviekit/movie.h"
#include "moviekit/movie_slide_bar.h"
#include "moviekit/movie_slider.h"
#include "moviekit/movie_view.h"
#include "moviekit/player_observer.h"
#include "platform/ui/button.h"
#include "platform/ui/text_field.h"
#include "platform/ui/view_controller.h"

#include <memory>
#include <string>
#include <vector>

namespace orvalis {

// The name under which the panel's layout is registered with the interface registry.
inline const std::string MoviePanelInterface = "MoviePanel";

class MovieViewController : public ui::ViewController, public PlayerObserver, public InterfaceFileOwner {
public:
    using Sender = std::shared_ptr<core::Object>;

    // Loading the view builds the interface named (the movie panel by default); no outlet, no movie.
    explicit MovieViewController(std::string nibName = MoviePanelInterface);
    // Registers the actions.
    void awake() override;
    // Leaves the player of the movie held.
    ~MovieViewController() override;

    // Once the outlets are connected: the button images, then the panel for no movie (every button disabled,
    // time "00:00:00:000").
    void awakeFromNib();

    // The outlets, by the names the panel's layout uses: "movieView", "timeField", "movieSlider",
    // "movieSlideBar", "playPauseButton", "beginClipButton", "endClipButton", "nextFrameButton",
    // "previousFrameButton", "toogleVolumeButton", "rotateLeftButton", "rotateRightButton",
    // "flipHorizontalButton", "flipVerticalButton", "popoverVolumeButton", "popoverRateButton",
    // "popoverEditionButton".
    void setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view) override;
    std::shared_ptr<MovieView> movieView() const { return movieView_.lock(); }
    std::shared_ptr<ui::TextField> timeField() const { return timeField_.lock(); }
    std::shared_ptr<MovieSlider> movieSlider() const { return movieSlider_.lock(); }
    std::shared_ptr<MovieSlideBar> movieSlideBar() const { return movieSlideBar_.lock(); }
    std::shared_ptr<ui::Button> playPauseButton() const { return playPauseButton_.lock(); }
    std::shared_ptr<ui::Button> nextFrameButton() const { return nextFrameButton_.lock(); }
    std::shared_ptr<ui::Button> popoverVolumeButton() const { return popoverVolumeButton_.lock(); }
    std::shared_ptr<ui::Button> popoverRateButton() const { return popoverRateButton_.lock(); }
    std::shared_ptr<ui::Button> popoverEditionButton() const { return popoverEditionButton_.lock(); }

    MovieRef movie() const { return movie_; }
    // Every assignment, also of the movie held: leaves the old movie's player, shows the new movie in the
    // panel, then observes its player, whose current values show at once.
    void setMovie(const MovieRef& movie);

    // Time, rate, user rate and user volume.
    int observerOptions(const Player& player) override;
    void playerTimeDidChange(Player& player, const media::Time& time) override;
    // Pause image while the platform player's rate is not 0, play image while it is.
    void playerRateDidChange(Player& player, float rate) override;
    // Turtle up to 1, rabbit above.
    void playerUserRateDidChange(Player& player, float userRate) override;
    // A speaker with no, one, two or three waves.
    void playerUserVolumeDidChange(Player& player, float userVolume) override;

    // The commands; each does nothing without a playable movie.
    void playPause(const Sender& sender);
    void seekPreviousFrame(const Sender& sender);
    void seekNextFrame(const Sender& sender);
    void seekToStart(const Sender& sender);
    void seekToEnd(const Sender& sender);
    void seekToClipStart(const Sender& sender);
    void seekToClipEnd(const Sender& sender);
    // The clip starts (ends) at the current time, when that lies strictly before its end (after its start).
    void setClipStart(const Sender& sender);
    void setClipEnd(const Sender& sender);
    // The user rate becomes the tag of the sender (a toolbar item, a menu item or a control) over 100.
    void choosePlaybackRate(const Sender& sender);
    void toogleVolume(const Sender& sender);
    void rotateLeft(const Sender& sender);
    void rotateRight(const Sender& sender);
    void flipVertically(const Sender& sender);
    void flipHorizontally(const Sender& sender);
    // Hand the movie to the shared popover and toggle it at the top of the sender (a view).
    void showVolumePopover(const Sender& sender);
    void showRatePopover(const Sender& sender);
    void showEditionPopover(const Sender& sender);

    // The eighteen commands are enabled exactly with a playable movie; anything else is.
    bool validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item) override;
    // The selectors of the eighteen commands.
    static const std::vector<ui::Action>& commandActions();

private:
    void setupButtonsImages();
    void refreshComponents();
    bool holdsPlayableMovie() const;
    std::vector<std::shared_ptr<ui::Button>> buttons() const;
    void showTime(const media::Time& time);
    void changeEdition(void (Edition::*change)());

    std::weak_ptr<MovieView> movieView_;
    std::weak_ptr<ui::TextField> timeField_;
    std::weak_ptr<MovieSlider> movieSlider_;
    std::weak_ptr<MovieSlideBar> movieSlideBar_;
    std::weak_ptr<ui::Button> playPauseButton_;
    std::weak_ptr<ui::Button> beginClipButton_;
    std::weak_ptr<ui::Button> endClipButton_;
    std::weak_ptr<ui::Button> nextFrameButton_;
    std::weak_ptr<ui::Button> previousFrameButton_;
    std::weak_ptr<ui::Button> toogleVolumeButton_;
    std::weak_ptr<ui::Button> rotateLeftButton_;
    std::weak_ptr<ui::Button> rotateRightButton_;
    std::weak_ptr<ui::Button> flipHorizontalButton_;
    std::weak_ptr<ui::Button> flipVerticalButton_;
    std::weak_ptr<ui::Button> popoverVolumeButton_;
    std::weak_ptr<ui::Button> popoverRateButton_;
    std::weak_ptr<ui::Button> popoverEditionButton_;
    MovieRef movie_;
};

}  // namespace orvalis
