// The one mapping of an Edition onto a picture, shared by every frame grabbed with an edition
// (Edition::apply) and by the movie view's layer, so that a snap and the picture on screen always agree.
#pragma once

#include "moviekit/edition.h"
#include "platform/gfx/affine_transform.h"
#include "platform/gfx/size.h"

namespace orvalis {

// Maps a picture of `size` (y-up, origin at its bottom-left corner) onto the edited picture, which lands on
// [0, w'] × [0, h'] with w' × h' = edition.apply(size). The turn is built first and each flip is put in front
// of it, so on a point the vertical flip acts first, then the horizontal flip, then the turn: the flips
// mirror the picture as stored in the file. The movie view takes the linear part (a, b, c, d) about its
// layer's centre.
gfx::AffineTransform editionTransform(const Edition& edition, const gfx::Size& size);

} // namespace orvalis
