// The plain time slider of the movie panel: a tracking slider from 0 to 1 that follows the player's time while
// the user leaves it alone, and scrubs the player while the user drags it, pausing playback for the drag and
// resuming it afterwards. Disabled at 0 without a playable movie. Main thread only.
#pragma once

#include "appkit/tracking_slider.h"
#include "moviekit/movie.h"
#include "moviekit/player_observer.h"
#include "platform/ui/view.h"

#include <memory>

namespace orvalis {

class MovieSlider : public ui::View, public PlayerObserver {
public:
    explicit MovieSlider(const gfx::Rect& frame = {});
    // Makes the slider (movieSliderSetup).
    void awake() override;
    // Leaves the movie's player.
    ~MovieSlider() override;

    MovieRef movie() const { return movie_; }
    // The same movie again changes nothing; otherwise the view leaves the old movie's player, shows the new
    // movie and observes its player, playable or not.
    void setMovie(const MovieRef& movie);

    // Time only.
    int observerOptions(const Player& player) override;
    // Moves the knob to the time, unless a drag is under way or the movie cannot be played.
    void playerTimeDidChange(Player& player, const media::Time& time) override;

    const std::shared_ptr<kestrane::TrackingSlider>& trackingSlider() const { return trackingSlider_; }

    // The slider's action: pauses at the press, seeks while dragging, resumes at the
    // release when the player was playing.
    void slideCurrentTime(kestrane::TrackingSlider& slider);

private:
    void movieSliderSetup();
    void updateTrackingSlider();

    MovieRef movie_;
    std::shared_ptr<kestrane::TrackingSlider> trackingSlider_;
};

}  // namespace orvalis
