// What the rate and volume popovers share: one popover for the whole program that, while a movie panel shows
// it, follows one value of the player of that panel's movie in a label and a slider and changes that value
// from the slider and two step buttons, laid out by an interface file of the kit's bundle. The movie is held
// weakly, never owned; closing the popover lets it go. A movie that goes away while the popover shows it
// leaves no observation behind: the next movie given (none, when the popover closes) clears it.
// Main thread only.
#pragma once

#include "appkit/popover_controller.h"
#include "moviekit/interface_file.h"
#include "moviekit/movie.h"
#include "moviekit/player_observer.h"
#include "platform/ui/slider.h"
#include "platform/ui/text_field.h"

#include <memory>
#include <string>

namespace orvalis {

class PlayerPopoverController : public kestrane::PopoverController,
                                public PlayerObserver,
                                public InterfaceFileOwner {
  public:
    // Loads the view at once, so that the outlets exist.
    void awake() override;
    // Leaves the player it observes.
    ~PlayerPopoverController() override;

    virtual MovieRef movie() const { return movie_.lock(); }
    // Every assignment, also of the same movie, leaves the player observed before and observes the new
    // movie's player, whose value shows at once. Playability is not asked.
    virtual void setMovie(const MovieRef& movie);

    int observerOptions(const Player& player) override { return options_.rawValue; }
    // The popover closes: the movie goes.
    void popoverWillClose(ui::Popover& popover) override;

  protected:
    PlayerPopoverController(std::string nibName, PlayerObserverOptions options);

    // The label's text (the format of the kit's strings filled with 100 times the value) and the slider's
    // value; nothing for an outlet that is not connected.
    static void showValue(const std::weak_ptr<ui::TextField>& label, const std::string& formatKey,
                          const std::weak_ptr<ui::Slider>& slider, float value);
    // The slider's value one step (0.2) down or up, kept within the slider's range.
    static double steppedDown(const ui::Slider& slider);
    static double steppedUp(const ui::Slider& slider);

  private:
    void stopObserving();

    PlayerObserverOptions options_;
    std::weak_ptr<Movie> movie_;
    // The player observed, and whether one was (it may have gone with its movie since).
    std::weak_ptr<Player> observedPlayer_;
    bool observing_ = false;
};

} // namespace orvalis
