// A row of round dots, one per page, the current page's darker; clicking a dot picks that page, unless the
// delegate refuses. Main thread only.
#pragma once

#include <memory>
#include <optional>

#include "platform/gfx/context.h"
#include "platform/ui/view.h"

namespace kestrane {

class PageControl;

class PageControlDelegate {
public:
    virtual ~PageControlDelegate() = default;
    // Asked before a click changes the page; false refuses it.
    virtual bool shouldSelectPage(PageControl& control, long page) = 0;
    // Told after a click has changed the page.
    virtual void didSelectPage(PageControl& control, long page) = 0;
};

class PageControl : public ui::View {
public:
    using View::View;

    // Not retained.
    std::shared_ptr<PageControlDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<PageControlDelegate>& delegate) { delegate_ = delegate; }
    long numberOfPages() const { return numberOfPages_; }
    void setNumberOfPages(long count);
    // Outside 0..<numberOfPages no dot is dark.
    long currentPage() const { return currentPage_; }
    void setCurrentPage(long page);

    // The square cell of page `index`: the row of cells, as high as the view, is centred horizontally.
    gfx::Rect cellRect(long index) const;
    // The page whose cell holds x (view space); nullopt outside the row or past the last page.
    std::optional<long> pageAt(double x) const;

    void mouseUp(const ui::Event& event) override;
    void draw(const gfx::Rect& dirty) override;
    // Draws one dot in its cell; subclasses may restyle it.
    virtual void drawControlInContext(gfx::Context& context, const gfx::Rect& rect, bool selected);

private:
    std::weak_ptr<PageControlDelegate> delegate_;
    long numberOfPages_ = 0;
    long currentPage_ = 0;
};

}  // namespace kestrane
