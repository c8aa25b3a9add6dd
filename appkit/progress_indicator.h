// A progress indicator whose animation, once started, stops no earlier than minimalDelay seconds after the
// start. Start and stop both reach the platform indicator on later turns of the main queue. Main thread only.
#pragma once

#include <memory>

#include "foundation/block_delayer.h"
#include "platform/ui/progress_indicator.h"

namespace kestrane {

class ProgressIndicator : public ui::ProgressIndicator {
public:
    using ui::ProgressIndicator::ProgressIndicator;

    double minimalDelay() const { return minimalDelay_; }
    void setMinimalDelay(double seconds) { minimalDelay_ = seconds; }

    void startAnimation(const std::shared_ptr<core::Object>& sender) override;
    // Does nothing without a start since the last completed stop.
    void stopAnimation(const std::shared_ptr<core::Object>& sender) override;

private:
    double minimalDelay_ = 0;
    std::shared_ptr<BlockDelayer> delayer_;
};

}  // namespace kestrane
