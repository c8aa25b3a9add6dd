#include "platform/ui/scroll_view.h"

#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "platform/core/notification_center.h"
#include "platform/ui/detail/qt_view.h"

namespace ui {

namespace {
constexpr int scrollerWidth = 15;
}  // namespace

struct ScrollView::Impl {
    std::shared_ptr<ClipView> clip;
    QPointer<QScrollBar> vertical;
    QPointer<QScrollBar> horizontal;
    bool hasVertical = false;
    bool hasHorizontal = false;
};

ScrollView::ScrollView(const gfx::Rect& frame) : View(frame), impl_(std::make_unique<Impl>()) {}

ScrollView::~ScrollView()
{
    if (impl_->clip) core::NotificationCenter::defaultCenter().removeObserver(this);
}

void ScrollView::awake()
{
    View::awake();
    exposeKey("documentView", [this] { return std::any(documentView()); });
    QWidget* host = widgetOf(*this);
    std::weak_ptr<ScrollView> weak = sharedAs<ScrollView>();
    for (auto orientation : {Qt::Vertical, Qt::Horizontal}) {
        auto* bar = new QScrollBar(orientation, host);
        bar->hide();
        QObject::connect(bar, &QScrollBar::valueChanged, [weak, orientation](int value) {
            auto self = weak.lock();
            if (!self || !self->documentView()) return;
            const gfx::Rect d = self->documentView()->frame().standardized();
            gfx::Point origin = self->contentView()->bounds().origin;
            if (orientation == Qt::Horizontal)
                origin.x = d.minX() + value;
            else {
                // The bar's top is the document's top, y-up or not.
                const double h = self->contentView()->bounds().height();
                origin.y = self->contentView()->isFlipped() ? d.minY() + value : d.maxY() - h - value;
            }
            self->contentView()->scrollToPoint(origin);
        });
        (orientation == Qt::Vertical ? impl_->vertical : impl_->horizontal) = bar;
    }
    setContentView(core::make<ClipView>());
}

std::shared_ptr<ClipView> ScrollView::contentView() const { return impl_->clip; }

void ScrollView::setContentView(const std::shared_ptr<ClipView>& clip)
{
    if (!clip) return;
    auto document = documentView();
    if (impl_->clip) {
        impl_->clip->setDocumentView(nullptr);
        impl_->clip->removeFromSuperview();
        core::NotificationCenter::defaultCenter().removeObserver(this);
    }
    const double magnification = impl_->clip ? impl_->clip->boundsScale() : 1;
    impl_->clip = clip;
    clip->setMagnification(magnification);
    addSubview(clip);
    tile();
    if (document) clip->setDocumentView(document);
    std::weak_ptr<ScrollView> weak = sharedAs<ScrollView>();
    core::NotificationCenter::defaultCenter().addObserver(
        this, frameDidChangeNotification, nullptr, [weak](const core::Notification& n) {
            auto self = weak.lock();
            if (!self) return;
            if (n.object == self->impl_->clip || n.object == self->documentView()) self->reflectScrolledClipView();
        });
    // The scroll bars follow a scroll made in code, animated or not.
    core::NotificationCenter::defaultCenter().addObserver(this, boundsDidChangeNotification, clip.get(),
                                                          [weak](const core::Notification&) {
                                                              if (auto self = weak.lock())
                                                                  self->reflectScrolledClipView();
                                                          });
}

std::shared_ptr<View> ScrollView::documentView() const { return impl_->clip ? impl_->clip->documentView() : nullptr; }

void ScrollView::setDocumentView(const std::shared_ptr<View>& view)
{
    impl_->clip->setDocumentView(view);
    reflectScrolledClipView();
    didChange("documentView");
}

double ScrollView::magnification() const { return impl_->clip->boundsScale(); }

void ScrollView::setMagnification(double magnification)
{
    const gfx::Rect visible = impl_->clip->bounds();
    magnifyAround(clamped(magnification), {visible.midX(), visible.midY()});
}

void ScrollView::setMinMagnification(double magnification)
{
    minMagnification_ = magnification;
    setMagnification(this->magnification());
}

void ScrollView::setMaxMagnification(double magnification)
{
    maxMagnification_ = magnification;
    setMagnification(this->magnification());
}

void ScrollView::magnifyToFitRect(const gfx::Rect& rect)
{
    const gfx::Rect r = rect.standardized();
    const gfx::Size room = impl_->clip->frame().standardized().size;
    if (!(r.width() > 0) || !(r.height() > 0) || !(room.width > 0) || !(room.height > 0)) return;
    magnifyAround(clamped(std::min(room.width / r.width(), room.height / r.height())), {r.midX(), r.midY()});
}

double ScrollView::clamped(double magnification) const
{
    return std::max(minMagnification_, std::min(maxMagnification_, magnification));
}

void ScrollView::magnifyAround(double magnification, const gfx::Point& center)
{
    if (!(magnification > 0) || !std::isfinite(magnification)) return;
    impl_->clip->setMagnification(magnification);
    const gfx::Size size = impl_->clip->bounds().size;
    impl_->clip->scrollToPoint({center.x - size.width / 2, center.y - size.height / 2});
    reflectScrolledClipView();
}

bool ScrollView::hasVerticalScroller() const { return impl_->hasVertical; }

void ScrollView::setHasVerticalScroller(bool has)
{
    impl_->hasVertical = has;
    tile();
}

bool ScrollView::hasHorizontalScroller() const { return impl_->hasHorizontal; }

void ScrollView::setHasHorizontalScroller(bool has)
{
    impl_->hasHorizontal = has;
    tile();
}

gfx::Rect ScrollView::documentVisibleRect() const { return impl_->clip->documentVisibleRect(); }

void ScrollView::scrollWheel(const Event& event)
{
    const gfx::Point origin = impl_->clip->bounds().origin;
    const double up = impl_->clip->isFlipped() ? -1 : 1;
    impl_->clip->scrollToPoint({origin.x - event.deltaX * lineScroll_, origin.y + up * event.deltaY * lineScroll_});
    reflectScrolledClipView();
}

void ScrollView::resizeSubviewsWithOldSize(const gfx::Size&) { tile(); }

void ScrollView::tile()
{
    if (!impl_->clip) return;
    const gfx::Rect b = bounds();
    const double right = impl_->hasVertical ? scrollerWidth : 0;
    const double bottom = impl_->hasHorizontal ? scrollerWidth : 0;
    impl_->clip->setFrame(
        {b.minX(), b.minY() + bottom, std::max(0.0, b.width() - right), std::max(0.0, b.height() - bottom)});
    const int w = int(b.width()), h = int(b.height());
    if (impl_->vertical) {
        impl_->vertical->setGeometry(w - scrollerWidth, 0, scrollerWidth, h - int(bottom));
        impl_->vertical->setVisible(impl_->hasVertical);
    }
    if (impl_->horizontal) {
        impl_->horizontal->setGeometry(0, h - scrollerWidth, w - int(right), scrollerWidth);
        impl_->horizontal->setVisible(impl_->hasHorizontal);
    }
    impl_->clip->reconstrain();
    reflectScrolledClipView();
}

void ScrollView::reflectScrolledClipView()
{
    auto document = documentView();
    if (!document || !impl_->vertical || !impl_->horizontal) return;
    const gfx::Rect d = document->frame().standardized();
    const gfx::Rect c = impl_->clip->bounds();
    const QSignalBlocker quietH(impl_->horizontal.data()), quietV(impl_->vertical.data());
    impl_->horizontal->setRange(0, std::max(0, int(std::lround(d.width() - c.width()))));
    impl_->horizontal->setPageStep(int(c.width()));
    impl_->horizontal->setValue(int(std::lround(c.minX() - d.minX())));
    const bool downwards = impl_->clip->isFlipped();
    impl_->vertical->setRange(0, std::max(0, int(std::lround(d.height() - c.height()))));
    impl_->vertical->setPageStep(int(c.height()));
    impl_->vertical->setValue(int(std::lround(downwards ? c.minY() - d.minY() : d.maxY() - c.maxY())));
}

}  // namespace ui
