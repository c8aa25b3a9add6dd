#include "appkit/animation_extensions.h"

#include "platform/ui/transaction.h"

namespace kestrane {

void Transaction::disableAnimation(const std::function<void()>& block)
{
    ui::Transaction::begin();
    ui::Transaction::setDisableActions(true);
    block();
    ui::Transaction::commit();
}

void Transaction::animateWithDuration(double duration, const std::function<void()>& block)
{
    ui::Transaction::begin();
    ui::Transaction::setAnimationDuration(duration);
    block();
    ui::Transaction::commit();
}

ui::TimingFunction MediaTimingFunction::linear() { return ui::TimingFunction::named(ui::TimingFunctionName::linear); }
ui::TimingFunction MediaTimingFunction::easeIn() { return ui::TimingFunction::named(ui::TimingFunctionName::easeIn); }
ui::TimingFunction MediaTimingFunction::easeOut() { return ui::TimingFunction::named(ui::TimingFunctionName::easeOut); }
ui::TimingFunction MediaTimingFunction::easeInEaseOut()
{
    return ui::TimingFunction::named(ui::TimingFunctionName::easeInEaseOut);
}
ui::TimingFunction MediaTimingFunction::defaultTiming()
{
    return ui::TimingFunction::named(ui::TimingFunctionName::defaultTiming);
}

}  // namespace kestrane
