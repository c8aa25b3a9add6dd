// Shortcuts for layer transactions and the named animation timing curves. Main thread only.
#pragma once

#include <functional>

#include "platform/ui/timing_function.h"

namespace kestrane {

namespace Transaction {
// Runs `block` in a transaction whose layer changes happen at once.
void disableAnimation(const std::function<void()>& block);
// Runs `block` in a transaction whose layer changes animate over `duration` seconds.
void animateWithDuration(double duration, const std::function<void()>& block);
}  // namespace Transaction

namespace MediaTimingFunction {
ui::TimingFunction linear();
ui::TimingFunction easeIn();
ui::TimingFunction easeOut();
ui::TimingFunction easeInEaseOut();
ui::TimingFunction defaultTiming();
}  // namespace MediaTimingFunction

}  // namespace kestrane
