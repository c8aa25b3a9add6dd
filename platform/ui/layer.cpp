#include "platform/ui/layer.h"

#include <algorithm>

#include "platform/gfx/context.h"
#include "platform/ui/animation_engine.h"
#include "platform/ui/autoresizing.h"
#include "platform/ui/view.h"

namespace ui {

namespace {

double mix(double a, double b, double f) { return a + (b - a) * f; }
gfx::Point mix(const gfx::Point& a, const gfx::Point& b, double f) { return {mix(a.x, b.x, f), mix(a.y, b.y, f)}; }
gfx::Rect mix(const gfx::Rect& a, const gfx::Rect& b, double f)
{
    return {mix(a.origin.x, b.origin.x, f), mix(a.origin.y, b.origin.y, f), mix(a.size.width, b.size.width, f),
            mix(a.size.height, b.size.height, f)};
}
gfx::AffineTransform mix(const gfx::AffineTransform& a, const gfx::AffineTransform& b, double f)
{
    return {mix(a.a, b.a, f), mix(a.b, b.b, f),   mix(a.c, b.c, f),
            mix(a.d, b.d, f), mix(a.tx, b.tx, f), mix(a.ty, b.ty, f)};
}
std::optional<gfx::Color> mix(const std::optional<gfx::Color>& a, const std::optional<gfx::Color>& b, double f)
{
    if (f >= 1) return b;
    const gfx::Color from = a.value_or(gfx::Color{b ? b->r : 0, b ? b->g : 0, b ? b->b : 0, 0});
    const gfx::Color to = b.value_or(gfx::Color{from.r, from.g, from.b, 0});
    return gfx::Color{mix(from.r, to.r, f), mix(from.g, to.g, f), mix(from.b, to.b, f), mix(from.a, to.a, f)};
}

}  // namespace

Layer::~Layer() { AnimationEngine::shared().cancelAll(this); }

gfx::Rect Layer::frame() const
{
    const gfx::Size size = model_.bounds.size;
    const gfx::Rect local(-anchor_.x * size.width, -anchor_.y * size.height, size.width, size.height);
    const gfx::Rect turned = gfx::applying(local, model_.transform);
    return gfx::offset(turned, model_.position.x, model_.position.y);
}

void Layer::setFrame(const gfx::Rect& frame)
{
    const gfx::Rect r = frame.standardized();
    setPosition({r.minX() + anchor_.x * r.width(), r.minY() + anchor_.y * r.height()});
    setBounds({model_.bounds.origin, r.size});
}

void Layer::setBounds(const gfx::Rect& bounds)
{
    const gfx::Size oldSize = model_.bounds.size;
    const gfx::Rect from = presentation_.bounds;
    model_.bounds = bounds;
    change("bounds", [from, bounds](State& s, double f) { s.bounds = mix(from, bounds, f); });
    if (oldSize != bounds.size) layoutSublayers(oldSize);
}

void Layer::setPosition(const gfx::Point& position)
{
    const gfx::Point from = presentation_.position;
    model_.position = position;
    change("position", [from, position](State& s, double f) { s.position = mix(from, position, f); });
}

void Layer::setAnchorPoint(const gfx::Point& anchor)
{
    anchor_ = anchor;
    setNeedsDisplay();
}

void Layer::setAffineTransform(const gfx::AffineTransform& transform)
{
    const gfx::AffineTransform from = presentation_.transform;
    model_.transform = transform;
    change("transform", [from, transform](State& s, double f) { s.transform = mix(from, transform, f); });
}

void Layer::setBackgroundColor(const std::optional<gfx::Color>& color)
{
    const auto from = presentation_.backgroundColor;
    model_.backgroundColor = color;
    change("backgroundColor", [from, color](State& s, double f) { s.backgroundColor = mix(from, color, f); });
}

void Layer::setOpacity(double opacity)
{
    const double from = presentation_.opacity;
    model_.opacity = opacity;
    change("opacity", [from, opacity](State& s, double f) { s.opacity = mix(from, opacity, f); });
}

void Layer::setHidden(bool hidden)
{
    hidden_ = hidden;
    setNeedsDisplay();
}

void Layer::setContents(const gfx::ImageRef& image)
{
    const gfx::ImageRef shown = presentation_.contents;
    model_.contents = image;
    change("contents", [shown, image](State& s, double f) {
        s.contents = image;
        s.fadingContents = f >= 1 ? nullptr : shown;
        s.contentsFade = f;
    });
}

void Layer::setContentsGravity(ContentsGravity gravity)
{
    gravity_ = gravity;
    setNeedsDisplay();
}

void Layer::addSublayer(const std::shared_ptr<Layer>& layer) { insertSublayer(layer, sublayers_.size()); }

void Layer::insertSublayer(const std::shared_ptr<Layer>& layer, std::size_t index)
{
    if (!layer || layer.get() == this) return;
    layer->removeFromSuperlayer();
    index = std::min(index, sublayers_.size());
    sublayers_.insert(sublayers_.begin() + long(index), layer);
    layer->superlayer_ = sharedAs<Layer>();
    setNeedsDisplay();
}

void Layer::removeFromSuperlayer()
{
    auto parent = superlayer_.lock();
    if (!parent) return;
    auto self = sharedAs<Layer>();  // keeps this layer alive while it leaves
    auto& siblings = parent->sublayers_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
    superlayer_.reset();
    parent->setNeedsDisplay();
}

void Layer::setNeedsDisplay()
{
    const Layer* layer = this;
    std::shared_ptr<Layer> holder;
    while (auto parent = layer->superlayer_.lock()) {
        holder = parent;
        layer = holder.get();
    }
    if (auto view = layer->hostView_.lock()) view->setNeedsDisplay();
}

void Layer::drawInContext(gfx::Context& context)
{
    if (auto d = delegate()) d->drawLayer(*this, context);
}

std::optional<Transition> Layer::actionFor(const std::string& key)
{
    if (Transaction::disableActions()) return std::nullopt;
    if (auto d = delegate())
        if (auto action = d->actionForLayer(*this, key)) return action;
    // A view's own layer changes at once unless its delegate asks for an action.
    if (!hostView_.expired()) return std::nullopt;
    return Transition{Transaction::animationDuration(), Transition::Type::fade};
}

void Layer::change(const std::string& key, Mix mixer)
{
    auto action = actionFor(key);
    auto& engine = AnimationEngine::shared();
    if (!action || action->duration <= 0) {
        engine.cancel(this, key);
        mixer(presentation_, 1.0);
        setNeedsDisplay();
        return;
    }
    mixer(presentation_, 0.0);
    std::weak_ptr<Layer> weak = sharedAs<Layer>();
    engine.start(
        this, key, action->duration, Transaction::animationTimingFunction(),
        [weak, mixer](double fraction) {
            if (auto layer = weak.lock()) {
                mixer(layer->presentation_, fraction);
                layer->setNeedsDisplay();
            }
        },
        Transaction::currentGroup());
}

void Layer::layoutSublayers(const gfx::Size& oldSize)
{
    for (auto& sublayer : sublayers_)
        if (sublayer->autoresizingMask_)
            sublayer->setFrame(
                autoresizedFrame(sublayer->frame(), oldSize, model_.bounds.size, sublayer->autoresizingMask_));
}

gfx::Rect gravityRect(ContentsGravity gravity, const gfx::Size& imageSize, const gfx::Rect& bounds)
{
    const gfx::Rect r = bounds.standardized();
    if (imageSize.width <= 0 || imageSize.height <= 0) return r;
    double scale = 1;
    switch (gravity) {
    case ContentsGravity::resize:
        return r;
    case ContentsGravity::resizeAspect:
        scale = std::min(r.width() / imageSize.width, r.height() / imageSize.height);
        break;
    case ContentsGravity::resizeAspectFill:
        scale = std::max(r.width() / imageSize.width, r.height() / imageSize.height);
        break;
    case ContentsGravity::center:
        break;
    }
    const double w = imageSize.width * scale, h = imageSize.height * scale;
    return {r.midX() - w / 2, r.midY() - h / 2, w, h};
}

void Layer::drawContents(gfx::Context& context, double alpha, bool flipped)
{
    auto draw = [&](const gfx::ImageRef& image, double imageAlpha) {
        if (!image || imageAlpha <= 0) return;
        const gfx::Rect target =
            gravityRect(gravity_, {double(image->width()), double(image->height())}, presentation_.bounds);
        context.save();
        context.setAlpha(imageAlpha);
        if (flipped) {
            // Stand the picture upright in a y-down space.
            context.translateBy(0, target.minY() + target.maxY());
            context.scaleBy(1, -1);
        }
        context.drawImage(image, target);
        context.restore();
    };
    draw(presentation_.fadingContents, alpha * (1 - presentation_.contentsFade));
    draw(presentation_.contents, alpha * (presentation_.fadingContents ? presentation_.contentsFade : 1));
}

void Layer::render(gfx::Context& context, double parentAlpha, bool flipped)
{
    if (hidden_) return;
    const State& s = presentation_;
    const double alpha = parentAlpha * std::clamp(s.opacity, 0.0, 1.0);
    if (alpha <= 0) return;
    context.save();
    context.translateBy(s.position.x, s.position.y);
    context.concat(s.transform);
    context.translateBy(-anchor_.x * s.bounds.size.width - s.bounds.origin.x,
                        -anchor_.y * s.bounds.size.height - s.bounds.origin.y);
    context.setAlpha(alpha);
    if (s.backgroundColor) {
        context.setFillColor(*s.backgroundColor);
        context.fillRect(s.bounds);
    }
    drawContents(context, alpha, flipped);
    context.setAlpha(alpha);
    drawsFlipped_ = flipped;
    drawInContext(context);
    for (auto& sublayer : sublayers_)
        sublayer->render(context, alpha, flipped);
    context.restore();
}

}  // namespace ui
