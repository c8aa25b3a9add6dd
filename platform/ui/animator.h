// The animating proxy of a view (view.animator()): inside AnimationContext::runAnimationGroup its changes run
// over the group's duration with its timing function; outside a group they apply at once. Main thread only.
#pragma once

#include <memory>

#include "platform/gfx/rect.h"

namespace ui {

class View;

class Animator {
public:
    explicit Animator(std::weak_ptr<View> view) : view_(std::move(view)) {}

    void setFrame(const gfx::Rect& frame);
    void setFrameOrigin(const gfx::Point& origin);
    void setFrameSize(const gfx::Size& size);
    // Scrolls the view's own space: a clip view's scroll position.
    void setBoundsOrigin(const gfx::Point& origin);
    void setAlphaValue(double alpha);

private:
    std::weak_ptr<View> view_;
};

}  // namespace ui
