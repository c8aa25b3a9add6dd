// Shows an image scaled into its bounds as its image scaling says (by default shrunk to fit with its aspect
// kept, never enlarged), centred. Main thread only.
#pragma once

#include "platform/gfx/image.h"
#include "platform/ui/button.h"
#include "platform/ui/view.h"

namespace ui {

class ImageView : public View {
public:
    using View::View;

    gfx::ImageRef image() const { return image_; }
    void setImage(const gfx::ImageRef& image);
    ImageScaling imageScaling() const { return scaling_; }
    void setImageScaling(ImageScaling scaling);

    // Where the image is drawn in the bounds; the null rectangle without an image.
    gfx::Rect imageRect() const;
    void draw(const gfx::Rect& dirty) override;

private:
    gfx::ImageRef image_;
    ImageScaling scaling_ = ImageScaling::proportionallyDown;
};

}  // namespace ui
