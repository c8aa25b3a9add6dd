// Shows the picture of a Movie: a video layer on the movie's player, turned and mirrored so that the picture
// on screen is the frame turned upright as its track asks, then with the movie's edition applied (what a snap
// of it gives), fitted into the view with its proportions kept on a black ground. A double click plays
// or pauses; the arrow keys step a frame and the space bar plays or pauses while the view has the keyboard.
// Tells where the picture lies (videoRect). An unplayable movie shows as an empty black view. Main thread
// only.
#pragma once

#include "moviekit/movie.h"
#include "platform/ui/video_layer.h"
#include "platform/ui/view.h"

#include <memory>

namespace orvalis {

class MovieView : public ui::View {
public:
    explicit MovieView(const gfx::Rect& frame = {});
    // Makes the view layer-backed on a black ground.
    void awake() override;
    // Removes its registration for the edition of the movie shown.
    ~MovieView() override;

    std::shared_ptr<Movie> movie() const { return movie_; }
    // Another movie replaces the video layer (none for no movie or one that cannot play) and moves the
    // registration for edition changes to it; the same movie again changes nothing.
    void setMovie(const std::shared_ptr<Movie>& movie);
    // Whether a double click and the keys act on the player; true at first.
    bool enabledMouse() const { return enabledMouse_; }
    void setEnabledMouse(bool enabled) { enabledMouse_ = enabled; }
    // Where the picture lies in the view; the bounds without a video layer.
    gfx::Rect videoRect() const;
    // Turns, mirrors and fits the video layer for the movie's edition now; edition changes of the movie shown
    // run it by themselves (animated), and so do changes of the view's size (at once).
    void updateLayersGeometry();

    void mouseDown(const ui::Event& event) override;
    void mouseUp(const ui::Event& event) override;
    void keyDown(const ui::Event& event) override;
    void resizeWithOldSuperviewSize(const gfx::Size& oldSize) override;

    // The video layer; null without a playable movie.
    const std::shared_ptr<ui::VideoLayer>& playerLayer() const { return playerLayer_; }

private:
    void observeMovie(const Movie& movie);
    void unobserveMovie(const Movie& movie);
    void updatePlayerLayer();
    bool showsPlayableMovie() const;
    // Where the video layer draws the upright picture (the track's turn applied) within `area`.
    gfx::Rect uprightRect(const gfx::Rect& area) const;

    std::shared_ptr<Movie> movie_;
    bool enabledMouse_ = true;
    std::shared_ptr<ui::VideoLayer> playerLayer_;
};

}  // namespace orvalis
