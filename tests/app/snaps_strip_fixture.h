// What the snaps-strip tests share: snaps with images of one colour, and a document-like window whose strip
// sits in a scroll view, installed as the document window installs it, with its manager; real events of the
// layer sent at points of cells, and waits until the strip's animations have run out.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/document/snap_cell.h"
#include "app/document/snap_item.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/window.h"

namespace snapstest {

constexpr gfx::Pixel red = gfx::makePixel(255, 255, 0, 0);
constexpr gfx::Pixel green = gfx::makePixel(255, 0, 255, 0);
constexpr gfx::Pixel blue = gfx::makePixel(255, 0, 0, 255);

gfx::ImageRef solidImage(int width, int height, gfx::Pixel colour);
// A snap at `seconds` with the identity edition.
std::shared_ptr<vistrel::SnapItem> snapAt(double seconds, gfx::ImageRef image = nullptr);
// `count` snaps at 0, 1, 2... seconds with 16:9 images of red, green and blue in turn.
vistrel::SnapItems snaps(int count);

// The width a 16:9 snap takes in the strip: (132 − 32) × 16/9 + 32.
constexpr double cellWidth = 100.0 * 16.0 / 9.0 + 32.0;

class Strip {
public:
    // A window 600 points wide whose strip is 132 points high inside a scroll view with a horizontal scroll
    // bar; a manager holding `count` snaps, which the strip shows at rest.
    explicit Strip(int count = 0);

    std::shared_ptr<ui::Window> window;
    std::shared_ptr<ui::ScrollView> scrollView;
    std::shared_ptr<vistrel::SnapsView> view;
    std::shared_ptr<vistrel::SnapsManager> manager;

    // Appends `count` more snaps and waits until they rest.
    void append(int count);
    // Serves the main loop until every cell rests in the row and no leaving cell is left; false after 5 s.
    bool settle();
    const std::shared_ptr<vistrel::SnapCell>& cell(std::size_t position) const { return view->cells().at(position); }

    // A point of a view's space in the window.
    gfx::Point inWindow(const ui::View& view, const gfx::Point& point) const;
    // The middle of cell k, in the window, once the cell is scrolled into view.
    gfx::Point middleOf(std::size_t position) const;
    void send(ui::EventType type, const gfx::Point& inWindow, std::uint64_t modifiers = 0);
    // A press and a release at the middle of cell k.
    void click(std::size_t position, std::uint64_t modifiers = 0);
    void key(std::uint16_t keyCode, std::uint64_t modifiers = 0);
    // The selection as a list.
    std::vector<std::int64_t> selection() const;
    // Which cells show themselves selected, by position.
    std::vector<std::int64_t> shownSelection() const;
};

}  // namespace snapstest
