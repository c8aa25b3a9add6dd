#include "app/document/snaps_view.h"

#include <algorithm>

#include "app/document/defaults_keys.h"
#include "app/document/snap_cell.h"
#include "app/document/snaps_manager.h"
#include "appkit/view_extensions.h"
#include "foundation/image_encoding.h"
#include "numerics/rect_geometry.h"
#include "numerics/size_geometry.h"
#include "platform/ui/animation_context.h"
#include "platform/ui/scroll_view.h"

namespace vistrel {

namespace {

// The picture's width over its height when there is no image.
constexpr double defaultRatio = 16.0 / 9.0;
// What a cell adds around its image: the image margin on both sides.
constexpr double cellPadding = 2 * SnapCell::imageMargin;

// The clip view of the strip's scroll view: passes the presses beside the row on to the strip.
class SnapsBackView : public ui::ClipView {
public:
    using ClipView::ClipView;

    void mouseDown(const ui::Event& event) override { forward(event, &SnapsView::mouseDown); }
    void mouseDragged(const ui::Event& event) override { forward(event, &SnapsView::mouseDragged); }
    void mouseUp(const ui::Event& event) override { forward(event, &SnapsView::mouseUp); }
    void rightMouseDown(const ui::Event& event) override { forward(event, &SnapsView::rightMouseDown); }

private:
    void forward(const ui::Event& event, void (SnapsView::*handler)(const ui::Event&))
    {
        if (subviews().empty()) return;
        if (auto strip = std::dynamic_pointer_cast<SnapsView>(subviews().front())) ((*strip).*handler)(event);
    }
};

template <class T>
const T* userInfoValue(const core::Notification& notification, const std::string& key)
{
    const auto found = notification.userInfo.find(key);
    return found == notification.userInfo.end() ? nullptr : std::any_cast<T>(&found->second);
}

void runGroup(double duration, const std::function<void()>& changes, std::function<void()> completion = {})
{
    ui::AnimationContext::runAnimationGroup(
        [&](ui::AnimationContext& context) {
            context.setDuration(duration);
            changes();
        },
        std::move(completion));
}

}  // namespace

SnapsView::~SnapsView() { stopObservingManager(); }

void SnapsView::awakeFromNib()
{
    setFrame(kestrane::withWidth(frame(), 1.0));
    const auto scrollView = enclosingScrollView();
    if (!scrollView) return;
    scrollView->setContentView(core::make<SnapsBackView>());
    scrollView->setDocumentView(sharedAs<ui::View>());
}

void SnapsView::stopObservingManager()
{
    if (snapsManager_) snapsManager_->removeObserver(this);
}

void SnapsView::setSnapsManager(const std::shared_ptr<SnapsManager>& manager)
{
    kestrane::removeAllSubviews(*this);
    cells_.clear();
    stopObservingManager();
    snapsManager_ = manager;
    if (!manager) return;
    manager->addObserver(sharedAs<SnapsView>());
    if (manager->items().empty()) return;
    makeCells(manager->items());
    closeGaps(0);
    updateCellsSelection(manager->selection());
}

void SnapsView::snapsManagerDidAppendItems(const core::Notification& notification)
{
    if (const auto* items = userInfoValue<SnapItems>(notification, SnapsItemsKey)) appendCells(*items);
}

void SnapsView::snapsManagerDidRemoveItems(const core::Notification& notification)
{
    if (const auto* positions = userInfoValue<core::IndexSet>(notification, SnapsIndexesKey)) removeCells(*positions);
}

void SnapsView::snapsManagerDidChangeSelection(const core::Notification&)
{
    if (snapsManager_) updateCellsSelection(snapsManager_->selection());
}

std::optional<std::size_t> SnapsView::positionOf(const SnapCell& cell) const
{
    const auto found =
        std::find_if(cells_.begin(), cells_.end(), [&](const auto& each) { return each.get() == &cell; });
    if (found == cells_.end()) return std::nullopt;
    return std::size_t(found - cells_.begin());
}

double SnapsView::rowWidth() const
{
    double width = 0;
    for (const auto& cell : cells_)
        width += cell->frame().width();
    return width;
}

gfx::Rect SnapsView::restingFrame(std::size_t position) const
{
    double x = 0;
    for (std::size_t p = 0; p < position; ++p)
        x += cells_[p]->frame().width();
    return {x, 0, cells_[position]->frame().width(), bounds().height()};
}

std::vector<std::shared_ptr<SnapCell>> SnapsView::makeCells(const SnapItems& items)
{
    const double height = bounds().height();
    double x = rowWidth();
    std::vector<std::shared_ptr<SnapCell>> added;
    for (const auto& item : items) {
        const gfx::ImageRef image = item->image();
        const double ratio = image ? kestrane::whRatio(kestrane::size(image)) : defaultRatio;
        const double width = (height - cellPadding) * ratio + cellPadding;
        auto cell = core::make<SnapCell>(gfx::Rect{x, height, width, height});
        cell->setIndex(std::int64_t(cells_.size()));
        cell->setImage(image);
        cells_.push_back(cell);
        added.push_back(cell);
        addSubview(cell);
        x += width;
    }
    return added;
}

void SnapsView::appendCells(const SnapItems& items)
{
    if (items.empty()) return;
    const auto added = makeCells(items);
    const double x = rowWidth();
    const auto scrollView = enclosingScrollView();
    const auto clip = scrollView ? scrollView->contentView() : nullptr;
    const double duration = clip && clip->frame().width() < x ? animationDuration : 0;
    std::weak_ptr<SnapsView> weak = sharedAs<SnapsView>();
    runGroup(
        duration,
        [&] {
            animator().setFrame(kestrane::withWidth(frame(), x));
            if (clip) {
                const gfx::Rect shown = clip->bounds();
                clip->animator().setBoundsOrigin({std::max(0.0, x - shown.width()), shown.minY()});
            }
        },
        [weak, added] {
            if (auto self = weak.lock()) self->showCellsAtRest(added, animationDuration);
        });
}

void SnapsView::showCellsAtRest(const std::vector<std::shared_ptr<SnapCell>>& moving, double duration)
{
    runGroup(duration, [&] {
        for (const auto& cell : moving)
            if (const auto position = positionOf(*cell)) cell->animator().setFrame(restingFrame(*position));
    });
}

void SnapsView::closeGaps(double duration)
{
    runGroup(duration, [&] {
        double x = 0;
        for (const auto& cell : cells_) {
            const double width = cell->frame().width();
            cell->animator().setFrame({x, 0, width, bounds().height()});
            x += width;
        }
        animator().setFrame(kestrane::withWidth(frame(), x));
    });
}

void SnapsView::removeCells(const core::IndexSet& positions)
{
    std::vector<std::shared_ptr<SnapCell>> leaving;
    std::vector<std::shared_ptr<SnapCell>> kept;
    for (std::size_t p = 0; p < cells_.size(); ++p)
        (positions.contains(core::IndexSet::Index(p)) ? leaving : kept).push_back(cells_[p]);
    if (leaving.empty()) return;
    // The row mirrors the manager at once; the leaving cells only finish their way out.
    cells_ = std::move(kept);
    for (std::size_t p = 0; p < cells_.size(); ++p)
        cells_[p]->setIndex(std::int64_t(p));
    const double height = bounds().height();
    std::weak_ptr<SnapsView> weak = sharedAs<SnapsView>();
    runGroup(
        animationDuration,
        [&] {
            for (const auto& cell : leaving)
                cell->animator().setFrame(kestrane::withY(cell->frame(), -height));
        },
        [weak, leaving] {
            for (const auto& cell : leaving)
                cell->removeFromSuperview();
            if (auto self = weak.lock()) self->closeGaps(animationDuration);
        });
}

void SnapsView::updateCellsSelection(const core::IndexSet& positions)
{
    for (std::size_t p = 0; p < cells_.size(); ++p) {
        const bool selected = positions.contains(core::IndexSet::Index(p));
        if (cells_[p]->selected() != selected) cells_[p]->setSelected(selected);
    }
}

}  // namespace vistrel
