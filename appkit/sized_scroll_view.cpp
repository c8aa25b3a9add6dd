#include "appkit/sized_scroll_view.h"

#include <any>

#include "foundation/shortcuts.h"

namespace kestrane {

SizedScrollView::SizedScrollView(const gfx::Rect& frame) : ScrollView(frame) {}

SizedScrollView::~SizedScrollView()
{
    // No removal from the dispatcher here: this view can no longer be named as the observed object, and the
    // dispatcher holds it weakly, so its observation is never called again and is dropped.
    NC->removeObserver(&frameObserver_);
}

void SizedScrollView::awake()
{
    ScrollView::awake();
    sizedScrollViewSetup();
}

void SizedScrollView::sizedScrollViewSetup()
{
    std::weak_ptr<SizedScrollView> weak = sharedAs<SizedScrollView>();
    auto block = [weak](const core::KeyValueChange& change) {
        auto self = weak.lock();
        if (!self) return;
        const auto* document = std::any_cast<std::shared_ptr<ui::View>>(&change.newValue);
        self->documentViewDidChange(document ? *document : self->documentView());
    };
    KVO().addObserver(this, sharedAs<core::Observable>(), "documentView", std::move(block));
}

void SizedScrollView::documentViewDidChange(const std::shared_ptr<ui::View>& document)
{
    NC->removeObserver(&frameObserver_, ui::View::frameDidChangeNotification, nullptr);
    // Only the document view's own frame counts; without one there is nothing to follow.
    if (document) {
        std::weak_ptr<SizedScrollView> weak = sharedAs<SizedScrollView>();
        NC->addObserver(&frameObserver_, ui::View::frameDidChangeNotification, document.get(),
                        [weak](const core::Notification&) {
                            if (auto self = weak.lock()) self->updateMagnification();
                        });
    }
    updateMagnification();
}

void SizedScrollView::updateMagnification()
{
    auto document = documentView();
    const gfx::Size size = document ? document->frame().standardized().size : gfx::Size{};
    if (!(size.width > 0) || !(size.height > 0)) return;
    const double minW = documentMinWidth() / size.width;
    const double minH = documentMinHeight() / size.height;
    const double maxW = documentMaxWidth() / size.width;
    const double maxH = documentMaxHeight() / size.height;
    setMaxMagnification(maxW > maxH ? maxW : maxH);
    setMinMagnification(minH < minW ? minH : minW);
}

}  // namespace kestrane
