// Shows the sharing picker at the top, bottom, left or right of a view: the view's bounds at that edge in the
// view's own space, so a flipped view's top is its visual bottom (unlike the popover placement). Main thread
// only.
#pragma once

#include <memory>

#include "platform/ui/sharing.h"
#include "platform/ui/view.h"

namespace kestrane {

// The maximum-Y edge, flipped view or not.
void showAtTop(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view);
void showAtBottom(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view);
void showAtLeft(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view);
void showAtRight(ui::SharingServicePicker& picker, const std::shared_ptr<ui::View>& view);

}  // namespace kestrane
