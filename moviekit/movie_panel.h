// The movie panel, laid out once for every window that shows a movie (documents and the batch window): the
// picture on top taking all the room there is, the slide bar with its strip of thumbnails under it, then a
// row with the frame-step and play buttons, the clip buttons, the time slider, the time text, the volume and
// rate buttons and the rotate, flip and edition buttons, each with its tooltip. Sizes are in points, so the
// panel follows the screen's scale; colours come from the desktop's palette. Main thread only.
//
// Use: make a MovieViewController (core::make<MovieViewController>()), then either read its view() (the
// panel is built on first use, at its natural size, through the interface registry under
// MoviePanelInterface) or call makeMoviePanel to build it at a frame of your choosing; add the view to a
// window, put the controller in that window's responder chain (so that menu commands and the keys of a
// MovieWindow reach it) and hand it a movie.
#pragma once

#include "moviekit/movie_view_controller.h"

#include <memory>

namespace orvalis {

// The smallest size at which every control of the panel shows; the picture takes what is above its controls.
inline constexpr gfx::Size MoviePanelMinimumSize{640, 240};
// The size a panel built through the interface registry starts at.
inline constexpr gfx::Size MoviePanelNaturalSize{720, 480};

// Builds the panel at `frame` (following its superview's size in both directions), connects every outlet of
// `controller` to it, makes it the controller's view and wakes the controller (awakeFromNib): every button
// shows its image and, without a movie, is disabled.
std::shared_ptr<ui::View> makeMoviePanel(const std::shared_ptr<MovieViewController>& controller,
                                         const gfx::Rect& frame);

// Registers the panel under MoviePanelInterface with the interface registry, for MovieViewControllers whose
// view is loaded from it. Once; MovieViewController does it when made.
void registerMoviePanel();

}  // namespace orvalis
