#include "appkit/layered_image_view.h"

#include "appkit/animation_extensions.h"
#include "appkit/view_extensions.h"

namespace kestrane {

void LayeredImageView::awake()
{
    View::awake();
    thumbnailViewSetup();
}

void LayeredImageView::thumbnailViewSetup()
{
    setWantsLayer(true);
    auto layer = imageLayer();
    layer->setContentsGravity(ui::ContentsGravity::resizeAspect);
    layer->setContentsScale(screenScale());
    layer->setBackgroundColor(gfx::Color::black());
    layer->setDelegate(sharedAs<LayeredImageView>());
}

std::shared_ptr<ui::Layer> LayeredImageView::imageLayer() { return layer(); }

gfx::ImageRef LayeredImageView::image() { return imageLayer()->contents(); }

void LayeredImageView::setImage(const gfx::ImageRef& image)
{
    applyChange([&] { imageLayer()->setContents(image); });
}

std::optional<gfx::Color> LayeredImageView::backgroundColor() { return imageLayer()->backgroundColor(); }

void LayeredImageView::setBackgroundColor(const std::optional<gfx::Color>& color)
{
    applyChange([&] { imageLayer()->setBackgroundColor(color); });
}

std::optional<ui::Transition> LayeredImageView::actionForLayer(ui::Layer&, const std::string& key)
{
    if (key != "contents") return std::nullopt;
    return ui::Transition{duration_, ui::Transition::Type::fade};
}

void LayeredImageView::applyChange(const std::function<void()>& change) const
{
    if (duration_ == 0)
        Transaction::disableAnimation(change);
    else
        change();
}

}  // namespace kestrane
