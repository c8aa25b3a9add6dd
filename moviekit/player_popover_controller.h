// What the rate and volume popovers share (they differ only in their names and in how a value reaches the
// player): one popover for the whole program that, while a movie panel shows it, follows one value of the
// player of that panel's movie in a label and a slider and changes that value from the slider and two step
// buttons, laid out by an interface file of the kit's bundle. The movie is held weakly, never owned; closing
// the popover lets it go. A movie that goes away while the popover shows it leaves no observation behind: the
// next movie given (none, when the popover closes) clears it. Main thread only.
#pragma once

#include "appkit/popover_controller.h"
#include "moviekit/interface_file.h"
#include "moviekit/movie.h"
#include "moviekit/player_observer.h"
#include "platform/ui/action.h"
#include "platform/ui/slider.h"
#include "platform/ui/text_field.h"

#include <memory>
#include <string>

namespace orvalis {

class PlayerPopoverController : public kestrane::PopoverController, public PlayerObserver, public InterfaceFileOwner {
public:
    // Loads the view at once, so that the outlets exist, and registers the three actions.
    void awake() override;
    // Leaves the player it observes.
    ~PlayerPopoverController() override;

    MovieRef movie() const { return movie_.lock(); }
    // Every assignment, also of the same movie, leaves the player observed before and observes the new
    // movie's player, whose value shows at once. Playability is not asked.
    void setMovie(const MovieRef& movie);

    int observerOptions(const Player& player) override { return options_.rawValue; }
    // The popover closes: the movie goes.
    void popoverWillClose(ui::Popover& popover) override;

    // The label and the slider, by the names given at construction.
    void setOutlet(const std::string& name, const std::shared_ptr<ui::View>& view) override;

protected:
    // What tells one popover from the other: the outlets of its label and slider, the kit's string that
    // formats the label, and its three actions.
    struct ValueNames {
        std::string label;
        std::string slider;
        std::string format;
        ui::Action decrease;
        ui::Action increase;
        ui::Action slide;
    };

    PlayerPopoverController(std::string nibName, PlayerObserverOptions options, ValueNames names);

    // The label's text (the format filled with 100 times the value) and the slider's value; nothing for an
    // outlet that is not connected.
    void showValue(float value);
    // Gives the player the value the buttons or the slider chose.
    virtual void setPlayerValue(Player& player, double value) = 0;
    // The value the slider's position stands for: the position itself unless a popover snaps it.
    virtual double valueAtPosition(double position) const { return position; }

private:
    void stopObserving();
    enum class Change { stepDown, stepUp, slide };
    // The slider's value one step (0.2) down or up, kept within the slider's range, or the value its position
    // stands for, to the player; nothing without a slider or a movie.
    void changeValue(Change change);

    PlayerObserverOptions options_;
    ValueNames names_;
    std::weak_ptr<ui::TextField> label_;
    std::weak_ptr<ui::Slider> slider_;
    std::weak_ptr<Movie> movie_;
    // The player observed, and whether one was (it may have gone with its movie since).
    std::weak_ptr<Player> observedPlayer_;
    bool observing_ = false;
};

}  // namespace orvalis
