// Shows a popover at the visual top, bottom, left or right of a view: the view's bounds at the edge that the
// view's flipping makes the one asked for.
#pragma once

#include <memory>

#include "platform/ui/popover.h"
#include "platform/ui/view.h"

namespace kestrane {

void showAtTop(ui::Popover& popover, const std::shared_ptr<ui::View>& view);
void showAtBottom(ui::Popover& popover, const std::shared_ptr<ui::View>& view);
void showAtLeft(ui::Popover& popover, const std::shared_ptr<ui::View>& view);
void showAtRight(ui::Popover& popover, const std::shared_ptr<ui::View>& view);

}  // namespace kestrane
