#include "platform/ui/image_view.h"

#include <algorithm>

#include "platform/gfx/context.h"

namespace ui {

void ImageView::setImage(const gfx::ImageRef& image)
{
    image_ = image;
    setNeedsDisplay();
}

void ImageView::setImageScaling(ImageScaling scaling)
{
    scaling_ = scaling;
    setNeedsDisplay();
}

gfx::Rect ImageView::imageRect() const
{
    if (!image_) return gfx::Rect::null();
    const gfx::Rect b = bounds();
    double w = image_->width(), h = image_->height();
    switch (scaling_) {
    case ImageScaling::axesIndependently:
        return b;
    case ImageScaling::none:
        break;
    case ImageScaling::proportionallyDown:
    case ImageScaling::proportionallyUpOrDown: {
        double scale = std::min(b.width() / w, b.height() / h);
        if (scaling_ == ImageScaling::proportionallyDown) scale = std::min(scale, 1.0);
        w *= scale;
        h *= scale;
        break;
    }
    }
    return {b.midX() - w / 2, b.midY() - h / 2, w, h};
}

void ImageView::draw(const gfx::Rect&)
{
    auto* context = gfx::Context::current();
    if (!context || !image_) return;
    const gfx::Rect r = imageRect();
    context->save();
    if (isFlipped()) {
        context->translateBy(0, r.minY() + r.maxY());
        context->scaleBy(1, -1);
    }
    context->drawImage(image_, r);
    context->restore();
}

}  // namespace ui
