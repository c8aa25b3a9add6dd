#include "platform/ui/view.h"

#include <QGraphicsOpacityEffect>

#include <algorithm>
#include <cmath>

#include "platform/core/main_thread.h"
#include "platform/core/notification_center.h"
#include "platform/ui/animation_engine.h"
#include "platform/ui/autoresizing.h"
#include "platform/ui/clip_view.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/window.h"

namespace ui {

namespace {

int pixel(double v) { return int(std::lround(v)); }

// A point of `view`'s space in its superview's space (the window's content area when it has none).
gfx::Point toSuperview(const View& view, gfx::Point p)
{
    const gfx::Rect f = view.frame().standardized();
    const gfx::Rect b = view.bounds();
    const double s = view.boundsScale();
    const double dx = (p.x - b.origin.x) * s;
    const double dy = (p.y - b.origin.y) * s;
    const double down = view.isFlipped() ? dy : f.height() - dy;  // distance below the frame's visual top
    auto super = view.superview();
    const bool superFlipped = super && super->isFlipped();
    return {f.minX() + dx, superFlipped ? f.minY() + down : f.maxY() - down};
}

gfx::Point fromSuperview(const View& view, gfx::Point p)
{
    const gfx::Rect f = view.frame().standardized();
    const gfx::Rect b = view.bounds();
    auto super = view.superview();
    const bool superFlipped = super && super->isFlipped();
    const double s = view.boundsScale();
    const double down = superFlipped ? p.y - f.minY() : f.maxY() - p.y;
    const double dy = view.isFlipped() ? down : f.height() - down;
    return {(p.x - f.minX()) / s + b.origin.x, dy / s + b.origin.y};
}

gfx::Point toWindow(const View* view, gfx::Point p)
{
    for (std::shared_ptr<View> holder; view; view = holder.get()) {
        p = toSuperview(*view, p);
        holder = view->superview();
    }
    return p;
}

gfx::Point fromWindow(const View* view, gfx::Point p)
{
    if (!view) return p;
    return fromSuperview(*view, fromWindow(view->superview().get(), p));
}

gfx::Rect rectThrough(const gfx::Rect& r, const std::function<gfx::Point(gfx::Point)>& map)
{
    const gfx::Rect s = r.standardized();
    const gfx::Point a = map(s.origin);
    const gfx::Point b = map({s.maxX(), s.maxY()});
    return gfx::Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
}

// Widget pixels per unit of the view's own space: its bounds scale and those of its superviews.
double pixelsPerUnit(const View& view)
{
    double scale = view.boundsScale();
    for (auto super = view.superview(); super; super = super->superview())
        scale *= super->boundsScale();
    return scale;
}

}  // namespace

View::View(const gfx::Rect& frame) : impl_(std::make_unique<Impl>())
{
    core::assertMainThread();
    impl_->frame = frame;
    impl_->bounds = {{0, 0}, frame.standardized().size};
}

View::~View()
{
    AnimationEngine::shared().cancelAll(this);
    for (auto& subview : impl_->subviews) {
        subview->impl_->superview.reset();
        if (subview->impl_->widget) subview->impl_->widget->setParent(nullptr);
    }
    core::NotificationCenter::defaultCenter().removeObserver(this);
    delete impl_->widget.data();
}

void View::awake()
{
    Responder::awake();
    impl_->widget = new HostWidget(*this);
    impl_->widget->hide();
    placeWidget();
}

gfx::Rect View::frame() const { return impl_->frame; }

void View::setFrame(const gfx::Rect& frame)
{
    core::assertMainThread();
    gfx::Rect next = frame;
    if (impl_->fixedHeight) next.size.height = *impl_->fixedHeight;
    const gfx::Size oldSize = impl_->bounds.size;
    if (next == impl_->frame) return;
    impl_->frame = next;
    const gfx::Size size = next.standardized().size;
    impl_->bounds.size = {size.width / impl_->scale, size.height / impl_->scale};
    frameChanged(oldSize);
}

void View::frameChanged(const gfx::Size& oldSize)
{
    placeWidget();
    const gfx::Size newSize = impl_->bounds.size;
    if (oldSize != newSize) resizeSubviewsWithOldSize(oldSize);
    placeSubviewWidgets();
    if (impl_->layer) {
        Transaction::withoutAnimation([&] {
            impl_->layer->setBounds({{0, 0}, newSize});
            impl_->layer->setPosition(
                {impl_->bounds.origin.x + newSize.width / 2, impl_->bounds.origin.y + newSize.height / 2});
        });
    }
    setNeedsDisplay();
    core::NotificationCenter::defaultCenter().post(frameDidChangeNotification, shared_from_this());
}

void View::setFrameOrigin(const gfx::Point& origin) { setFrame({origin, impl_->frame.size}); }
void View::setFrameSize(const gfx::Size& size) { setFrame({impl_->frame.origin, size}); }

gfx::Rect View::bounds() const { return impl_->bounds; }

void View::setBounds(const gfx::Rect& bounds)
{
    core::assertMainThread();
    const gfx::Size oldSize = impl_->bounds.size;
    impl_->bounds = bounds;
    const gfx::Size size = bounds.standardized().size;
    impl_->frame.size = {size.width * impl_->scale, size.height * impl_->scale};
    frameChanged(oldSize);
}

double View::boundsScale() const { return impl_->scale; }

void View::setBoundsScale(double scale)
{
    if (!(scale > 0) || !std::isfinite(scale) || scale == impl_->scale) return;
    impl_->scale = scale;
    const gfx::Size size = impl_->frame.standardized().size;
    impl_->bounds.size = {size.width / scale, size.height / scale};
    placeSubviewWidgets();
    setNeedsDisplay();
}

void View::setBoundsOrigin(const gfx::Point& origin)
{
    const bool moved = origin != impl_->bounds.origin;
    impl_->bounds.origin = origin;
    // Every widget below changes its pixel size.
    for (auto& subview : impl_->subviews)
        subview->placeWidgetTree();
    setNeedsDisplay();
    if (auto self = weak_from_this().lock(); self && moved)
        core::NotificationCenter::defaultCenter().post(boundsDidChangeNotification, std::move(self));
}

bool View::isHidden() const { return impl_->hidden; }

void View::setHidden(bool hidden)
{
    core::assertMainThread();
    impl_->hidden = hidden;
    placeWidget();
}

bool View::isHiddenOrHasHiddenAncestor() const
{
    if (impl_->hidden) return true;
    auto super = superview();
    return super && super->isHiddenOrHasHiddenAncestor();
}

double View::alphaValue() const { return impl_->alpha; }

void View::setAlphaValue(double alpha)
{
    impl_->alpha = std::clamp(alpha, 0.0, 1.0);
    if (!impl_->widget) return;
    if (impl_->alpha >= 1) {
        impl_->widget->setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(impl_->widget->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(impl_->widget);
        impl_->widget->setGraphicsEffect(effect);
    }
    effect->setOpacity(impl_->alpha);
}

std::shared_ptr<View> View::superview() const { return impl_->superview.lock(); }
const std::vector<std::shared_ptr<View>>& View::subviews() const { return impl_->subviews; }

void View::addSubview(const std::shared_ptr<View>& view)
{
    core::assertMainThread();
    if (!view || view.get() == this || isDescendantOf(*view)) return;
    auto self = sharedAs<View>();
    view->viewWillMoveToSuperview(self);
    if (auto old = view->superview()) {
        auto& siblings = old->impl_->subviews;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), view), siblings.end());
    }
    view->impl_->superview = self;
    view->impl_->window.reset();
    impl_->subviews.push_back(view);
    if (view->impl_->widget && impl_->widget) {
        view->impl_->widget->setParent(impl_->widget);
        view->impl_->widget->raise();
    }
    view->placeWidget();
    view->viewDidMoveToWindow();
}

void View::removeFromSuperview()
{
    core::assertMainThread();
    auto super = superview();
    if (!super) return;
    auto self = sharedAs<View>();
    viewWillMoveToSuperview(nullptr);
    auto& siblings = super->impl_->subviews;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
    impl_->superview.reset();
    if (impl_->widget) {
        impl_->widget->hide();
        impl_->widget->setParent(nullptr);
    }
    viewDidMoveToWindow();
}

bool View::isDescendantOf(const View& view) const
{
    for (auto v = superview(); v; v = v->superview())
        if (v.get() == &view) return true;
    return &view == this;
}

std::shared_ptr<Window> View::window() const
{
    if (auto super = superview()) return super->window();
    return impl_->window.lock();
}

unsigned View::autoresizingMask() const { return impl_->autoresizingMask; }
void View::setAutoresizingMask(unsigned mask) { impl_->autoresizingMask = mask; }

void View::resizeWithOldSuperviewSize(const gfx::Size& oldSize)
{
    auto super = superview();
    if (!super || impl_->autoresizingMask == 0) return;
    setFrame(autoresizedFrame(impl_->frame, oldSize, super->bounds().size, impl_->autoresizingMask));
}

void View::resizeSubviewsWithOldSize(const gfx::Size& oldSize)
{
    auto subviews = impl_->subviews;  // a subview may rearrange its siblings
    for (auto& subview : subviews)
        subview->resizeWithOldSuperviewSize(oldSize);
}

void View::setFixedHeight(double height)
{
    impl_->fixedHeight = height;
    setFrameSize({impl_->frame.size.width, height});
}

void View::setNeedsDisplay()
{
    core::assertMainThread();
    if (impl_->widget) impl_->widget->update();
}

void View::setNeedsDisplayInRect(const gfx::Rect& rect)
{
    core::assertMainThread();
    if (!impl_->widget) return;
    const QRectF area = viewToWidget(*this).mapRect(QRectF(rect.minX(), rect.minY(), rect.width(), rect.height()));
    impl_->widget->update(area.toAlignedRect());
}

gfx::Point View::convertPoint(const gfx::Point& point, const View* from) const
{
    return fromWindow(this, toWindow(from, point));
}

gfx::Point View::convertPointTo(const gfx::Point& point, const View* to) const
{
    return fromWindow(to, toWindow(this, point));
}

gfx::Rect View::convertRect(const gfx::Rect& rect, const View* from) const
{
    return rectThrough(rect, [&](gfx::Point p) { return convertPoint(p, from); });
}

gfx::Rect View::convertRectTo(const gfx::Rect& rect, const View* to) const
{
    return rectThrough(rect, [&](gfx::Point p) { return convertPointTo(p, to); });
}

std::shared_ptr<View> View::hitTest(const gfx::Point& point)
{
    if (impl_->hidden || !gfx::contains(impl_->frame.standardized(), point)) return nullptr;
    const gfx::Point local = fromSuperview(*this, point);
    for (auto it = impl_->subviews.rbegin(); it != impl_->subviews.rend(); ++it)
        if (auto hit = (*it)->hitTest(local)) return hit;
    return sharedAs<View>();
}

std::shared_ptr<Responder> View::nextResponder() const
{
    if (hasExplicitNextResponder()) return explicitNextResponder();
    if (auto super = superview()) return super;
    return impl_->window.lock();
}

bool View::wantsLayer() const { return impl_->wantsLayer; }

void View::setWantsLayer(bool wants)
{
    core::assertMainThread();
    impl_->wantsLayer = wants;
    if (wants) layer();
    setNeedsDisplay();
}

std::shared_ptr<Layer> View::layer()
{
    if (!impl_->layer && impl_->wantsLayer) setLayer(core::make<Layer>());
    return impl_->layer;
}

void View::setLayer(const std::shared_ptr<Layer>& layer)
{
    if (impl_->layer) impl_->layer->setHostView({});
    impl_->layer = layer;
    if (layer) {
        impl_->wantsLayer = true;
        layer->setHostView(sharedAs<View>());
        const gfx::Size size = impl_->bounds.size;
        Transaction::withoutAnimation([&] {
            layer->setBounds({{0, 0}, size});
            layer->setPosition({impl_->bounds.origin.x + size.width / 2, impl_->bounds.origin.y + size.height / 2});
        });
    }
    setNeedsDisplay();
}

Animator View::animator() { return Animator(sharedAs<View>()); }

std::shared_ptr<ScrollView> View::enclosingScrollView() const
{
    for (auto view = superview(); view; view = view->superview())
        if (auto scroll = std::dynamic_pointer_cast<ScrollView>(view)) return scroll;
    return nullptr;
}

namespace {

// The smallest move of [start, start + length) that shows [low, high), its low end first.
double scrolledTo(double start, double length, double low, double high)
{
    if (low < start || high - low > length) return low;
    if (high > start + length) return high - length;
    return start;
}

}  // namespace

bool View::scrollRectToVisible(const gfx::Rect& rect)
{
    std::shared_ptr<ClipView> clip;
    for (auto view = superview(); view && !clip; view = view->superview())
        clip = std::dynamic_pointer_cast<ClipView>(view);
    if (!clip) return false;
    const gfx::Rect wanted = convertRectTo(rect.standardized(), clip.get());
    const gfx::Rect shown = clip->bounds();
    const gfx::Point origin{scrolledTo(shown.minX(), shown.width(), wanted.minX(), wanted.maxX()),
                            scrolledTo(shown.minY(), shown.height(), wanted.minY(), wanted.maxY())};
    if (origin == shown.origin) return false;
    clip->scrollToPoint(origin);
    return clip->bounds().origin != shown.origin;
}

std::shared_ptr<Menu> View::menu() const { return impl_->menu; }
void View::setMenu(const std::shared_ptr<Menu>& menu) { impl_->menu = menu; }

void View::rightMouseDown(const Event& event)
{
    if (const auto menu = this->menu()) return Menu::popUpContextMenu(menu, event, sharedAs<View>());
    Responder::rightMouseDown(event);
}

std::string View::toolTip() const { return impl_->widget ? impl_->widget->toolTip().toStdString() : std::string(); }

void View::setToolTip(const std::string& text)
{
    if (impl_->widget) impl_->widget->setToolTip(QString::fromStdString(text));
}

void View::setNeedsFocus(bool acceptsKeys)
{
    if (impl_->widget) impl_->widget->setFocusPolicy(acceptsKeys ? Qt::StrongFocus : Qt::NoFocus);
}

void View::placeWidget()
{
    QWidget* widget = impl_->widget;
    if (!widget) return;
    const gfx::Rect f = impl_->frame.standardized();
    auto super = superview();
    if (super) {
        // The superview's space in its widget's pixels.
        const gfx::Rect b = super->bounds();
        const double s = pixelsPerUnit(*super);
        const double top = super->isFlipped() ? f.minY() - b.origin.y : b.origin.y + b.height() - f.maxY();
        const int x = pixel((f.minX() - b.origin.x) * s), y = pixel(top * s);
        widget->setGeometry(x, y, pixel((f.maxX() - b.origin.x) * s) - x, pixel((top + f.height()) * s) - y);
        widget->setVisible(!impl_->hidden);
    } else if (auto window = impl_->window.lock()) {
        window->placeContentView();
    } else {
        widget->resize(pixel(f.width()), pixel(f.height()));
    }
}

void View::placeSubviewWidgets()
{
    for (auto& subview : impl_->subviews)
        subview->placeWidget();
}

void View::placeWidgetTree()
{
    placeWidget();
    for (auto& subview : impl_->subviews)
        subview->placeWidgetTree();
}

QWidget* widgetOf(View& view) { return view.impl().widget; }

QTransform viewToWidget(const View& view)
{
    const gfx::Rect b = view.bounds();
    const double s = pixelsPerUnit(view);
    const QWidget* widget = view.impl().widget;
    const double h = widget ? widget->height() : b.height() * s;
    if (view.isFlipped()) return QTransform(s, 0, 0, s, -b.origin.x * s, -b.origin.y * s);
    return QTransform(s, 0, 0, -s, -b.origin.x * s, h + b.origin.y * s);
}

gfx::Point viewPointFromWidget(const View& view, double x, double y)
{
    const QPointF p = viewToWidget(view).inverted().map(QPointF(x, y));
    return {p.x(), p.y()};
}

}  // namespace ui
