#include "platform/ui/animation_context.h"

#include "platform/ui/transaction.h"

namespace ui {

void AnimationContext::runAnimationGroup(const std::function<void(AnimationContext&)>& changes,
                                         std::function<void()> completion)
{
    Transaction::Scope scope;
    if (completion) Transaction::setCompletionBlock(std::move(completion));
    AnimationContext context;
    changes(context);
}

double AnimationContext::duration() const { return Transaction::animationDuration(); }
void AnimationContext::setDuration(double seconds) { Transaction::setAnimationDuration(seconds); }
TimingFunction AnimationContext::timingFunction() const { return Transaction::animationTimingFunction(); }
void AnimationContext::setTimingFunction(const TimingFunction& timing)
{
    Transaction::setAnimationTimingFunction(timing);
}
void AnimationContext::setAllowsImplicitAnimation(bool allows) { Transaction::setDisableActions(!allows); }

}  // namespace ui
