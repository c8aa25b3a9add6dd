// A window for movies: its key handler turns the arrow keys, the space bar and the letters I and O into the
// movie interface's actions, sent along the responder chain (the movie view controller in it answers them):
// left arrow seekPreviousFrame, right arrow seekNextFrame, space playPause, I setClipStart, O setClipEnd
// (movie_actions.h). Other keys go on as in any window. Main thread only.
#pragma once

#include "platform/ui/window.h"

#include <memory>

namespace orvalis {

class MovieWindow : public ui::Window {
public:
    // A hidden window whose content area has the rectangle's size and, on the screen, its origin.
    static std::shared_ptr<MovieWindow> create(const gfx::Rect& contentRect, unsigned styleMask);
    using Window::Window;

    void keyDown(const ui::Event& event) override;
};

}  // namespace orvalis
