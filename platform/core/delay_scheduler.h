// The one thread that holds delayed work until its deadline and then submits it to its queue. Internal to the
// dispatch layer.
#pragma once

#include <memory>

#include "platform/core/deadline.h"
#include "platform/core/dispatch_queue.h"

namespace core {

// Submits `work` to `queue` at `deadline`; items with the same deadline keep their order. The queue is kept
// alive until then.
void scheduleDelayed(SteadyTime deadline, std::shared_ptr<DispatchQueue> queue, DispatchQueue::Work work);

}  // namespace core
