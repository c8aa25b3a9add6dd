#include "platform/core/dispatch_queue.h"

#include <array>

#include "platform/core/delay_scheduler.h"
#include "platform/core/main_queue.h"
#include "platform/core/pool_queue.h"

namespace core {

thread_local const DispatchQueue::RunningScope* DispatchQueue::innermostScope_ = nullptr;

std::shared_ptr<DispatchQueue> DispatchQueue::main() { return MainQueue::shared(); }

std::shared_ptr<DispatchQueue> DispatchQueue::makeSerial(const std::string& label)
{
    return make<PoolQueue>(label, PoolQueue::Kind::serial);
}

std::shared_ptr<DispatchQueue> DispatchQueue::makeConcurrent(const std::string& label)
{
    return make<PoolQueue>(label, PoolQueue::Kind::concurrent);
}

std::shared_ptr<DispatchQueue> DispatchQueue::global(QoS qos)
{
    // Never destroyed: their threads may outlive every static.
    static auto* queues = new std::array<std::shared_ptr<DispatchQueue>, 5>{
        makeConcurrent("global.background"), makeConcurrent("global.utility"), makeConcurrent("global.default"),
        makeConcurrent("global.userInitiated"), makeConcurrent("global.userInteractive")};
    return (*queues)[static_cast<std::size_t>(qos)];
}

void DispatchQueue::asyncAfter(double seconds, Work work)
{
    if (!(seconds > 0)) {
        async(std::move(work));
        return;
    }
    scheduleDelayed(deadlineAfter(seconds), sharedAs<DispatchQueue>(), std::move(work));
}

std::string DispatchQueue::description() const { return "<DispatchQueue: " + label_ + ">"; }

DispatchQueue::RunningScope::RunningScope(const DispatchQueue* queue) : queue_(queue), outer_(innermostScope_)
{
    innermostScope_ = this;
}

DispatchQueue::RunningScope::~RunningScope() { innermostScope_ = outer_; }

bool DispatchQueue::isRunningOnCallingThread() const { return innermostScope_ && innermostScope_->queue_ == this; }

bool DispatchQueue::servesCallingThread() const
{
    for (const RunningScope* scope = innermostScope_; scope; scope = scope->outer_)
        if (scope->queue_ == this) return true;
    return false;
}

}  // namespace core
