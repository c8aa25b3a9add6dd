// The one mapping of a movie's picture as stored onto the picture as presented (the track's own turn, then the
// Edition), shared by every frame grabbed (Edition::apply) and by the movie view's layer, so that a snap and
// the picture on screen always agree.
#pragma once

#include "moviekit/edition.h"
#include "platform/gfx/affine_transform.h"
#include "platform/gfx/size.h"

namespace orvalis {

// Maps a picture as stored in the file, of `size` (y-up, origin at its bottom-left corner), onto the picture
// as presented, which lands on [0, w'] × [0, h']. First the picture is turned and mirrored as its track asks
// (`trackTransform`: the track's display matrix in its y-down pixel space, of which only the right-angle turn
// and mirror count), so that it stands upright; then the edition acts on that upright picture. The edition's
// turn is built first and each flip is put in front of it, so on a point the vertical flip acts first, then
// the horizontal flip, then the turn: the flags mirror the upright picture (Edition's flip commands choose
// the flag that mirrors along the axis the user sees). The movie view takes the linear part (a, b, c, d)
// about its layer's centre.
gfx::AffineTransform editionTransform(const Edition& edition, const gfx::Size& size,
                                      const gfx::AffineTransform& trackTransform = gfx::AffineTransform::identity());

// A linear map of a picture's y-down pixel space (a track's display matrix) as the same map in its y-up space;
// the translation is dropped.
gfx::AffineTransform yUpLinear(const gfx::AffineTransform& yDown);

}  // namespace orvalis
