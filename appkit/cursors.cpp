#include "appkit/cursors.h"

#include <array>
#include <mutex>
#include <string>

#include "foundation/kestrane_kit.h"

namespace kestrane {

namespace {

std::shared_ptr<ui::Cursor> makeCursor(const std::string& name, const gfx::Point& hotSpot)
{
    auto picture = ui::Picture::withImage(KestraneKit::imageNamed(name));
    if (!picture) return ui::Cursor::arrow();
    return std::make_shared<ui::Cursor>(picture, hotSpot);
}

// The cursor of a numbered picture of a series, made once on first use.
template <std::size_t Count>
class CursorSeries {
public:
    CursorSeries(std::string prefix, gfx::Point hotSpot) : prefix_(std::move(prefix)), hotSpot_(hotSpot) {}

    std::shared_ptr<ui::Cursor> at(std::size_t index)
    {
        std::call_once(once_[index],
                       [&] { cursors_[index] = makeCursor(prefix_ + std::to_string(index) + "Cursor", hotSpot_); });
        return cursors_[index];
    }

private:
    std::string prefix_;
    gfx::Point hotSpot_;
    std::array<std::once_flag, Count> once_;
    std::array<std::shared_ptr<ui::Cursor>, Count> cursors_;
};

CursorSeries<4>& resizeCursors()
{
    static CursorSeries<4> series("Resize", {10, 8});
    return series;
}

CursorSeries<8>& rotateCursors()
{
    static CursorSeries<8> series("Rotate", {9, 9});
    return series;
}

}  // namespace

std::shared_ptr<ui::Cursor> MoveCursor()
{
    static const auto cursor = makeCursor("MoveCursor", {2, 0});
    return cursor;
}

std::shared_ptr<ui::Cursor> DuplicateCursor()
{
    static const auto cursor = makeCursor("DuplicateCursor", {2, 0});
    return cursor;
}

std::shared_ptr<ui::Cursor> Cursor::resizeCursor(RectAnchor anchor)
{
    // Picture k is the axis at k × 45 degrees: 0 horizontal, 1 rising, 2 vertical, 3 falling.
    static constexpr std::array<std::size_t, 8> axis{3, 1, 3, 1, 0, 2, 0, 2};
    return resizeCursors().at(axis[std::size_t(anchor) & 7]);
}

std::shared_ptr<ui::Cursor> Cursor::rotateCursor(RectAnchor anchor)
{
    // Picture k belongs to the handle k × 45 degrees counter-clockwise from the right-hand middle one.
    static constexpr std::array<std::size_t, 8> turn{3, 1, 7, 5, 4, 2, 0, 6};
    return rotateCursors().at(turn[std::size_t(anchor) & 7]);
}

}  // namespace kestrane
