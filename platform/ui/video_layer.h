// A layer showing the pictures of a player as they come: each picture turned by its video track's preferred
// transform (in the track's y-down pixel space) and fitted into the bounds with its aspect kept. Main thread
// only.
#pragma once

#include <memory>

#include "platform/gfx/affine_transform.h"
#include "platform/ui/layer.h"

namespace media {
class Player;
}

namespace ui {

class VideoLayer : public Layer {
public:
    static std::shared_ptr<VideoLayer> create(const std::shared_ptr<media::Player>& player);

    std::shared_ptr<media::Player> player() const { return player_; }
    // Takes the player's pictures from now on (the player tells one layer of its pictures at a time).
    void setPlayer(const std::shared_ptr<media::Player>& player);
    ContentsGravity videoGravity() const { return ContentsGravity::resizeAspect; }
    // The turn the pictures get: the preferred transform of the player's video track (identity without one).
    const gfx::AffineTransform& preferredTransform() const { return transform_; }
    // Where the picture is drawn in the bounds; the null rectangle before the first picture.
    gfx::Rect videoRect() const;
    // The picture now shown.
    gfx::ImageRef currentFrame() const { return frame_; }
    // Shows a picture (the player's frame handler calls it).
    void showFrame(const gfx::ImageRef& frame);

    void drawInContext(gfx::Context& context) override;

private:
    std::shared_ptr<media::Player> player_;
    gfx::ImageRef frame_;
    gfx::AffineTransform transform_;
};

// The rectangle a picture of `pixelSize` turned by `transform` takes when fitted into `bounds`.
gfx::Rect fittedVideoRect(const gfx::Size& pixelSize, const gfx::AffineTransform& transform, const gfx::Rect& bounds);

}  // namespace ui
