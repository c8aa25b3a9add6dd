// Runs a group of animated changes (made through views' animators and to layers) with one duration and
// curve, and calls a completion once all of them have ended. Main thread only.
#pragma once

#include <functional>

#include "platform/ui/timing_function.h"

namespace ui {

class AnimationContext {
public:
    // Runs `changes` inside a transaction of its own, then `completion` (may be empty) once every animation
    // begun in it has ended.
    static void runAnimationGroup(const std::function<void(AnimationContext&)>& changes,
                                  std::function<void()> completion);

    double duration() const;
    void setDuration(double seconds);
    TimingFunction timingFunction() const;
    void setTimingFunction(const TimingFunction& timing);
    // False makes the changes apply at once.
    void setAllowsImplicitAnimation(bool allows);

private:
    AnimationContext() = default;
};

}  // namespace ui
