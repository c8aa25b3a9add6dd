// A breadcrumb bar whose items are plain titles added, inserted and removed by index. Its bar cell hands the
// painting of the background to the bar's drawBackgroundForBarCell hook; the titles are drawn over it.
// Main thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/path_control.h"

namespace kestrane {

class Pathbar;

// One titled item of a Pathbar; it knows whether it is the bar's first or last item.
class PathbarComponentCell : public ui::PathComponent {
public:
    using PathComponent::PathComponent;
};

// The bar's own cell: it paints only through the bar's hook.
class PathbarCell : public core::Object {
public:
    // Hands the painting of `frame` to the bar's drawBackgroundForBarCell; nothing in another control.
    virtual void drawWithFrame(const gfx::Rect& frame, ui::View& controlView);
};

class Pathbar : public ui::PathControl {
public:
    using PathControl::PathControl;
    void awake() override;

    void addItemWithTitle(const std::string& title);
    // Index 0...count (count appends); any other index leaves the bar unchanged.
    void insertItemWithTitle(const std::string& title, long index);
    // Index 0..<count; any other index leaves the bar unchanged.
    void removeItemAtIndex(long index);
    // Nothing on an empty bar.
    void removeLastItem();

    // Paints behind the titles; nothing here.
    virtual void drawBackgroundForBarCell(PathbarCell& cell) {}
    const std::shared_ptr<PathbarCell>& cell() const { return cell_; }

    gfx::Size intrinsicContentSize() const override { return {noIntrinsicMetric, noIntrinsicMetric}; }
    void drawBackground(const gfx::Rect& rect) override;

private:
    void pathbarSetup();

    std::shared_ptr<PathbarCell> cell_ = core::make<PathbarCell>();
};

}  // namespace kestrane
