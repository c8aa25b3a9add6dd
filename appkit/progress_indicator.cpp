#include "appkit/progress_indicator.h"

namespace kestrane {

void ProgressIndicator::startAnimation(const std::shared_ptr<core::Object>& sender)
{
    delayer_ = std::make_shared<BlockDelayer>(minimalDelay_, core::DispatchQueue::main());
    auto self = sharedAs<ProgressIndicator>();
    delayer_->start([self, sender] { self->ui::ProgressIndicator::startAnimation(sender); });
}

void ProgressIndicator::stopAnimation(const std::shared_ptr<core::Object>& sender)
{
    if (!delayer_) return;
    auto self = sharedAs<ProgressIndicator>();
    std::weak_ptr<BlockDelayer> stopped = delayer_;
    delayer_->stop([self, sender, stopped] {
        self->ui::ProgressIndicator::stopAnimation(sender);
        // Only the delayer this stop belongs to is done: a start that came since keeps its own.
        if (self->delayer_ && self->delayer_ == stopped.lock()) self->delayer_.reset();
    });
}

}  // namespace kestrane
