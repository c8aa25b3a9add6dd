// What the movie panel shows, read back from its window's drawing (the picture of a movie view as an image,
// the frame index it carries, how far two pictures agree), and what the panel's objects observe.
#pragma once

#include "moviekit/movie_view.h"
#include "platform/gfx/image.h"
#include "platform/ui/window.h"

namespace moviekittest {

// The part of the window's drawing where the view shows its picture (videoRect); null without a drawing.
gfx::ImageRef shownPicture(ui::Window& window, const orvalis::MovieView& view);
// The frame index the view's picture carries as drawn in the window; -1 when none is readable.
int shownFrameIndex(ui::Window& window, const orvalis::MovieView& view);
// The share of sample points, on a grid spread over both pictures alike (0 to 1 across and down), where both
// show the same kind of colour (dark, light or the strip's red); points where either shows something else
// do not count.
double agreement(const gfx::Image& a, const gfx::Image& b);
// Any pixel of the rectangle (y-up points of the window's content area) differs from `ground` by more than a
// little.
bool drawsSomethingIn(ui::Window& window, const gfx::Rect& rect, gfx::Pixel ground);

// The observations the shared dispatcher keeps filed under an observing object.
int registrationsOf(const core::Object* observer);

}  // namespace moviekittest
