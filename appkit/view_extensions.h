// Small helpers on views, scroll views and screens: centring a frame on a point, emptying and filling a
// container, a redraw asked for from any thread, zooming to the whole document, the largest screen scale, and
// the names of a grid view's selection notices.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/scroll_view.h"
#include "platform/ui/view.h"

namespace kestrane {

// Moves the view, keeping its size, so that its frame's centre is `center`.
void setFrameCenter(ui::View& view, const gfx::Point& center);
// Asks the view's window to enable, disable or invalidate cursor rectangles; nothing without a window.
void enableCursorRects(ui::View& view);
void disableCursorRects(ui::View& view);
void invalidateCursorRects(const std::shared_ptr<ui::View>& view);
// Removes every subview, from the last to the first.
void removeAllSubviews(ui::View& view);
// Adds `subview` filling the view's bounds and following its size.
void addFilledSubView(ui::View& view, const std::shared_ptr<ui::View>& subview);
// removeAllSubviews, then addFilledSubView.
void setFilledSubview(ui::View& view, const std::shared_ptr<ui::View>& subview);
// Marks the view for redrawing on a later turn of the main queue; callable from any thread.
void asyncNeedsDiplay(const std::shared_ptr<ui::View>& view);

// Magnifies the scroll view to fit its document view's bounds with a margin of 40 points on every side;
// nothing without a document view.
void magnifyToDocumentRect(ui::ScrollView& scrollView);

// The largest backing scale of the screens, never below 1. Safe from any thread.
double screenScale();

inline const std::string IndexesKey = "Indexes";
inline const std::string NewSelectionKey = "NewSelection";
inline const std::string OldSelectionKey = "OldSelection";
inline const std::string GridViewSelectionWillChangeNotification = "GridViewSelectionWillChangeNotification";
inline const std::string GridViewSelectionDidChangeNotification = "GridViewSelectionDidChangeNotification";

}  // namespace kestrane
