#include "platform/ui/popover.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

#include "platform/core/main_thread.h"
#include "platform/ui/detail/qt_appearance.h"
#include "platform/ui/detail/qt_screen.h"
#include "platform/ui/detail/qt_view.h"
#include "platform/ui/detail/qt_window.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"

namespace ui {

namespace {

// Watches the whole application while a popover shows, to close it as its behaviour says.
class OutsideWatcher : public QObject {
public:
    explicit OutsideWatcher(Popover& popover) : popover_(popover) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    Popover& popover_;
};

}  // namespace

struct Popover::Impl {
    QPointer<QWidget> panel;
    std::unique_ptr<OutsideWatcher> watcher;
    std::shared_ptr<ViewController> content;
    PopoverBehavior behavior = PopoverBehavior::applicationDefined;
    std::weak_ptr<PopoverDelegate> delegate;
    std::shared_ptr<Appearance> appearance;
    std::optional<gfx::Size> contentSize;
    std::weak_ptr<View> positioningView;
    bool shown = false;
};

Popover::Popover() : impl_(std::make_unique<Impl>()) { core::assertMainThread(); }

Popover::~Popover()
{
    if (impl_->watcher) qApp->removeEventFilter(impl_->watcher.get());
    if (impl_->content && impl_->content->isViewLoaded())
        if (QWidget* content = widgetOf(*impl_->content->view())) content->setParent(nullptr);
    delete impl_->panel.data();
}

void Popover::awake()
{
    Responder::awake();
    impl_->panel = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    impl_->watcher = std::make_unique<OutsideWatcher>(*this);
}

std::shared_ptr<ViewController> Popover::contentViewController() const { return impl_->content; }

void Popover::setContentViewController(const std::shared_ptr<ViewController>& controller)
{
    if (impl_->content && impl_->content->isViewLoaded())
        if (QWidget* old = widgetOf(*impl_->content->view())) old->setParent(nullptr);
    impl_->content = controller;
}

PopoverBehavior Popover::behavior() const { return impl_->behavior; }
void Popover::setBehavior(PopoverBehavior behavior) { impl_->behavior = behavior; }
std::shared_ptr<Appearance> Popover::appearance() const { return impl_->appearance; }

void Popover::setAppearance(const std::shared_ptr<Appearance>& appearance)
{
    impl_->appearance = appearance;
    if (impl_->panel) applyAppearance(*impl_->panel, appearance.get());
}

std::shared_ptr<PopoverDelegate> Popover::delegate() const { return impl_->delegate.lock(); }
void Popover::setDelegate(const std::shared_ptr<PopoverDelegate>& delegate) { impl_->delegate = delegate; }

gfx::Size Popover::contentSize() const
{
    if (impl_->contentSize) return *impl_->contentSize;
    if (impl_->content) return impl_->content->view()->frame().standardized().size;
    return {};
}

void Popover::setContentSize(const gfx::Size& size) { impl_->contentSize = size; }

bool Popover::isShown() const { return impl_->shown; }

void Popover::show(const gfx::Rect& rect, const std::shared_ptr<View>& view, RectEdge edge)
{
    core::assertMainThread();
    auto window = view ? view->window() : nullptr;
    if (!window || !impl_->content || !impl_->panel) return;
    auto contentView = impl_->content->view();
    const gfx::Size size = contentSize();
    contentView->setFrame({{0, 0}, size});
    if (QWidget* content = widgetOf(*contentView)) {
        content->setParent(impl_->panel);
        content->setGeometry(0, 0, int(size.width), int(size.height));
        content->show();
    }

    // The edge in the view's own space: maxY is the visual top unless the view is flipped.
    if (view->isFlipped() && (edge == RectEdge::minY || edge == RectEdge::maxY))
        edge = edge == RectEdge::minY ? RectEdge::maxY : RectEdge::minY;
    const gfx::Rect anchor = window->convertRectToScreen(view->convertRectTo(rect, nullptr));
    gfx::Point origin;
    switch (edge) {
    case RectEdge::maxY:
        origin = {anchor.midX() - size.width / 2, anchor.maxY() + gap};
        break;
    case RectEdge::minY:
        origin = {anchor.midX() - size.width / 2, anchor.minY() - gap - size.height};
        break;
    case RectEdge::minX:
        origin = {anchor.minX() - gap - size.width, anchor.midY() - size.height / 2};
        break;
    case RectEdge::maxX:
        origin = {anchor.maxX() + gap, anchor.midY() - size.height / 2};
        break;
    }
    QWidget* host = widgetOf(*window);
    QScreen* screen = host && host->screen() ? host->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const gfx::Rect area = screenRectFromQt(screen->availableGeometry());
        origin.x = std::clamp(origin.x, area.minX(), std::max(area.minX(), area.maxX() - size.width));
        origin.y = std::clamp(origin.y, area.minY(), std::max(area.minY(), area.maxY() - size.height));
    }
    impl_->panel->setGeometry(qtRectFromScreen({origin, size}));
    impl_->positioningView = view;
    if (!impl_->shown) qApp->installEventFilter(impl_->watcher.get());
    impl_->shown = true;
    impl_->panel->show();
}

void Popover::close()
{
    core::assertMainThread();
    if (!impl_->shown) return;
    auto self = sharedAs<Popover>();
    auto d = delegate();
    if (d) d->popoverWillClose(*this);
    impl_->shown = false;
    qApp->removeEventFilter(impl_->watcher.get());
    if (impl_->panel) impl_->panel->hide();
    if (d) d->popoverDidClose(*this);
}

void Popover::performClose(const std::shared_ptr<core::Object>&)
{
    if (!impl_->shown) return;
    if (auto d = delegate())
        if (!d->popoverShouldClose(*this)) return;
    close();
}

gfx::Rect Popover::frame() const { return impl_->panel ? screenRectFromQt(impl_->panel->geometry()) : gfx::Rect{}; }

namespace {

bool OutsideWatcher::eventFilter(QObject* object, QEvent* event)
{
    const PopoverBehavior behavior = popover_.behavior();
    if (behavior == PopoverBehavior::applicationDefined || !popover_.isShown()) return false;
    QWidget* panel = popover_.impl().panel;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || widget->window() == panel) return false;
        if (behavior == PopoverBehavior::semitransient) {
            auto view = popover_.impl().positioningView.lock();
            auto window = view ? view->window() : nullptr;
            if (!window || widget->window() != widgetOf(*window)) return false;
        }
        popover_.performClose(nullptr);
        return false;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && qobject_cast<QWidget*>(object)) {
            popover_.performClose(nullptr);
            return true;
        }
        return false;
    case QEvent::ApplicationDeactivate:
        if (behavior == PopoverBehavior::transient) popover_.performClose(nullptr);
        return false;
    default:
        return false;
    }
}

}  // namespace

}  // namespace ui
