#include "appkit/pathbar.h"

namespace kestrane {

void PathbarCell::drawWithFrame(const gfx::Rect&, ui::View& controlView)
{
    if (auto* bar = dynamic_cast<Pathbar*>(&controlView)) bar->drawBackgroundForBarCell(*this);
}

void Pathbar::awake()
{
    PathControl::awake();
    pathbarSetup();
}

void Pathbar::pathbarSetup()
{
    setFixedHeight(frame().size.height);
    setPathStyle(ui::PathStyle::standard);
}

void Pathbar::addItemWithTitle(const std::string& title)
{
    insertItemWithTitle(title, long(pathComponentCells().size()));
}

void Pathbar::insertItemWithTitle(const std::string& title, long index)
{
    auto cells = pathComponentCells();
    if (index < 0 || std::size_t(index) > cells.size()) return;
    cells.insert(cells.begin() + index, core::make<PathbarComponentCell>(title));
    setPathComponentCells(cells);
}

void Pathbar::removeItemAtIndex(long index)
{
    auto cells = pathComponentCells();
    if (index < 0 || std::size_t(index) >= cells.size()) return;
    cells.erase(cells.begin() + index);
    setPathComponentCells(cells);
}

void Pathbar::removeLastItem() { removeItemAtIndex(long(pathComponentCells().size()) - 1); }

void Pathbar::drawBackground(const gfx::Rect& rect) { cell_->drawWithFrame(rect, *this); }

}  // namespace kestrane
