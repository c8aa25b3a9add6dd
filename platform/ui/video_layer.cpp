#include "platform/ui/video_layer.h"

#include "platform/gfx/context.h"
#include "platform/media/player.h"

namespace ui {

namespace {

gfx::Rect turnedBounds(const gfx::Size& pixelSize, const gfx::AffineTransform& transform)
{
    return gfx::applying(gfx::Rect{{0, 0}, pixelSize}, transform).standardized();
}

}  // namespace

gfx::Rect fittedVideoRect(const gfx::Size& pixelSize, const gfx::AffineTransform& transform, const gfx::Rect& bounds)
{
    if (pixelSize.width <= 0 || pixelSize.height <= 0) return gfx::Rect::null();
    return gravityRect(ContentsGravity::resizeAspect, turnedBounds(pixelSize, transform).size, bounds);
}

std::shared_ptr<VideoLayer> VideoLayer::create(const std::shared_ptr<media::Player>& player)
{
    auto layer = core::make<VideoLayer>();
    layer->setPlayer(player);
    return layer;
}

void VideoLayer::setPlayer(const std::shared_ptr<media::Player>& player)
{
    if (player_) player_->setFrameHandler({});
    player_ = player;
    transform_ = {};
    frame_ = nullptr;
    if (!player) {
        setNeedsDisplay();
        return;
    }
    if (auto item = player->currentItem())
        if (auto asset = item->asset()) {
            if (const media::TrackRef track = asset->videoTrack()) transform_ = track->preferredTransform();
        }
    std::weak_ptr<VideoLayer> weak = sharedAs<VideoLayer>();
    player->setFrameHandler([weak](const gfx::ImageRef& frame) {
        if (auto layer = weak.lock()) layer->showFrame(frame);
    });
    showFrame(player->currentVideoFrame());
}

gfx::Rect VideoLayer::videoRect() const
{
    if (!frame_) return gfx::Rect::null();
    return fittedVideoRect({double(frame_->width()), double(frame_->height())}, transform_, bounds());
}

void VideoLayer::showFrame(const gfx::ImageRef& frame)
{
    frame_ = frame;
    setNeedsDisplay();
}

void VideoLayer::drawInContext(gfx::Context& context)
{
    Layer::drawInContext(context);
    if (!frame_) return;
    const gfx::Size pixels{double(frame_->width()), double(frame_->height())};
    const gfx::Rect turned = turnedBounds(pixels, transform_);
    const gfx::Rect target = videoRect();
    if (turned.width() <= 0 || target.isNull()) return;
    const double scale = target.width() / turned.width();
    context.save();
    // Into the turned picture's y-down space, fitted into the target (a mirror in the layer's own transform
    // mirrors the picture; only the view's space decides which way is up).
    if (drawsInFlippedSpace()) {
        context.translateBy(target.minX(), target.minY());
        context.scaleBy(scale, scale);
    } else {
        context.translateBy(target.minX(), target.maxY());
        context.scaleBy(scale, -scale);
    }
    context.translateBy(-turned.minX(), -turned.minY());
    context.concat(transform_);
    // The picture's own y-down pixel space: row 0 at the top.
    context.translateBy(0, pixels.height);
    context.scaleBy(1, -1);
    context.drawImage(frame_, {{0, 0}, pixels});
    context.restore();
}

}  // namespace ui
