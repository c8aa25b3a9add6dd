#include "tests/app/snaps_strip_fixture.h"

#include "moviekit/movie.h"
#include "platform/core/url.h"
#include "tests/platform/core/run_until.h"

namespace snapstest {

gfx::ImageRef solidImage(int width, int height, gfx::Pixel colour)
{
    return gfx::Image::create(width, height, std::vector<gfx::Pixel>(std::size_t(width) * std::size_t(height), colour));
}

std::shared_ptr<vistrel::SnapItem> snapAt(double seconds, gfx::ImageRef image)
{
    auto item = vistrel::SnapItem::create(media::Time::withSeconds(seconds, 600), orvalis::Edition::identity);
    item->setImage(std::move(image));
    return item;
}

vistrel::SnapItems snaps(int count)
{
    static const gfx::Pixel colours[] = {red, green, blue};
    vistrel::SnapItems items;
    for (int k = 0; k < count; ++k)
        items.push_back(snapAt(k, solidImage(64, 36, colours[k % 3])));
    return items;
}

Strip::Strip(int count)
{
    window = ui::Window::create({0, 0, 600, 180}, ui::StyleMask::titled);
    scrollView = core::make<ui::ScrollView>(gfx::Rect{0, 10, 600, 147});
    scrollView->setHasHorizontalScroller(true);
    window->contentView()->addSubview(scrollView);
    view = core::make<vistrel::SnapsView>(gfx::Rect{0, 0, 600, 132});
    scrollView->setDocumentView(view);
    view->awakeFromNib();
    manager = vistrel::SnapsManager::create(orvalis::Movie::create(core::Url::fileURL("/nowhere/movie.mp4")));
    manager->append(snaps(count));
    view->setSnapsManager(manager);
}

void Strip::append(int count)
{
    if (count == 0) return;
    manager->append(snaps(count));
    settle();
}

bool Strip::settle()
{
    return testsupport::runUntil(
        [&] {
            if (view->subviews().size() != view->cells().size()) return false;
            double x = 0;
            for (const auto& cell : view->cells()) {
                if (cell->frame() != gfx::Rect{x, 0, cell->frame().width(), 132}) return false;
                x += cell->frame().width();
            }
            return view->frame().width() == x || view->cells().empty();
        },
        5);
}

gfx::Point Strip::inWindow(const ui::View& of, const gfx::Point& point) const
{
    return of.convertPointTo(point, nullptr);
}

gfx::Point Strip::middleOf(std::size_t position) const
{
    const auto& c = *cell(position);
    view->scrollRectToVisible(c.frame());
    return inWindow(c, {c.bounds().midX(), c.bounds().midY()});
}

void Strip::send(ui::EventType type, const gfx::Point& at, std::uint64_t modifiers)
{
    window->sendEvent(ui::Event::mouseEvent(type, at, modifiers, 0, window->windowNumber(), 1, 1));
}

void Strip::click(std::size_t position, std::uint64_t modifiers)
{
    const gfx::Point at = middleOf(position);
    send(ui::EventType::leftMouseDown, at, modifiers);
    send(ui::EventType::leftMouseUp, at, modifiers);
}

void Strip::key(std::uint16_t keyCode, std::uint64_t modifiers)
{
    window->sendEvent(
        ui::Event::keyEvent(ui::EventType::keyDown, {}, modifiers, 0, window->windowNumber(), "", "", false, keyCode));
}

std::vector<std::int64_t> Strip::selection() const { return manager->selection().indexes(); }

std::vector<std::int64_t> Strip::shownSelection() const
{
    std::vector<std::int64_t> shown;
    for (std::size_t p = 0; p < view->cells().size(); ++p)
        if (cell(p)->selected()) shown.push_back(std::int64_t(p));
    return shown;
}

}  // namespace snapstest
