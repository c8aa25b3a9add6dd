#include "appkit/page_control.h"

#include <cmath>

#include "appkit/event_extensions.h"

namespace kestrane {

void PageControl::setNumberOfPages(long count)
{
    numberOfPages_ = count;
    setNeedsDisplay();
}

void PageControl::setCurrentPage(long page)
{
    currentPage_ = page;
    setNeedsDisplay();
}

gfx::Rect PageControl::cellRect(long index) const
{
    const gfx::Rect b = bounds();
    const double side = b.size.height;
    const double x0 = (b.size.width - double(numberOfPages_) * side) * 0.5;
    return {x0 + double(index) * side, b.origin.y, side, side};
}

std::optional<long> PageControl::pageAt(double x) const
{
    const double side = frame().size.height;
    if (side <= 0) return std::nullopt;
    // Floor, not truncation: a click left of the first dot must not land on it.
    const double index = std::floor((x - cellRect(0).origin.x) / side);
    if (index < 0 || index >= double(numberOfPages_)) return std::nullopt;
    return long(index);
}

void PageControl::mouseUp(const ui::Event& event)
{
    const auto page = pageAt(locationIn(event, *this).x);
    if (!page) return;
    if (auto delegate = delegate_.lock(); delegate && !delegate->shouldSelectPage(*this, *page)) return;
    setCurrentPage(*page);
    if (auto delegate = delegate_.lock()) delegate->didSelectPage(*this, *page);
}

void PageControl::draw(const gfx::Rect&)
{
    gfx::Context* context = gfx::Context::current();
    if (!context) return;
    for (long i = 0; i < numberOfPages_; ++i)
        drawControlInContext(*context, cellRect(i), i == currentPage_);
}

void PageControl::drawControlInContext(gfx::Context& context, const gfx::Rect& rect, bool selected)
{
    const gfx::Rect dot = gfx::inset(rect, 2, 2);
    context.setFillColor(gfx::Color::gray(1.0));
    context.fillEllipse(dot);
    context.setFillColor(gfx::Color::gray(selected ? 0.45 : 0.85));
    context.fillEllipse(dot);
    context.setStrokeColor(gfx::Color::gray(0.1, 0.15));
    context.setLineWidth(1);
    context.strokeEllipse(gfx::inset(dot, 0.5, 0.5));
}

}  // namespace kestrane
