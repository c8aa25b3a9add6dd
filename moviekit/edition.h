// The non-destructive edit a user applies to a movie's picture: a quarter-turn orientation and a horizontal
// and a vertical flip. Applied to grabbed frames, to sizes and to the movie view's layer, never to the file.
// A plain value; archived through its coding state, EditionCodingState.
#pragma once

#include "moviekit/edition_coding_state.h"
#include "numerics/orientation.h"
#include "platform/gfx/affine_transform.h"
#include "platform/gfx/image.h"
#include "platform/gfx/size.h"

#include <memory>

namespace orvalis {

struct Edition {
    using CodingState = EditionCodingState;

    kestrane::Orientation orientation = kestrane::Orientation::up;
    bool horizontalFlipped = false;
    bool verticalFlipped = false;

    // Up, not flipped.
    static const Edition identity;

    Edition() = default;
    Edition(kestrane::Orientation orientation, bool horizontalFlipped, bool verticalFlipped)
        : orientation(orientation), horizontalFlipped(horizontalFlipped), verticalFlipped(verticalFlipped)
    {
    }
    explicit Edition(const EditionCodingState& state);

    bool isIdentity() const;

    // up → left → down → right → up
    void rotateLeft();
    // up → right → down → left → up
    void rotateRight();
    // Mirror the picture as the edition shows it left to right (top to bottom): while it is turned a
    // quarter, the flag that does so is the other one, since the flags mirror the picture before the turn.
    void flipHorizontally();
    void flipVertically();

    Edition rotatedLeft() const;
    Edition rotatedRight() const;
    Edition flippedHorizontally() const;
    Edition flippedVertically() const;

    // Width and height exchanged for a sideways orientation (right, left); flips keep a size.
    gfx::Size apply(const gfx::Size& size) const;
    // The picture as the edition shows it, drawn through editionTransform (moviekit/edition_transform.h). The
    // identity gives back the very same image; null when the edited bitmap cannot be made (or for a null
    // image).
    gfx::ImageRef apply(const gfx::ImageRef& image) const;
    // A frame as stored in the movie, turned and mirrored as its track asks (`trackTransform`, the track's
    // display matrix), then through the edition: the picture as presented. Gives back the very same image
    // when neither turns it.
    gfx::ImageRef apply(const gfx::ImageRef& image, const gfx::AffineTransform& trackTransform) const;

    std::shared_ptr<const EditionCodingState> codingState() const;

    friend bool operator==(const Edition&, const Edition&) = default;
};

inline const Edition Edition::identity{};

}  // namespace orvalis
