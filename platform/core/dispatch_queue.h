// Queues of work items: the main queue (the main thread's event loop), serial queues (one thread each, items
// one at a time in order) and concurrent queues (a pool that grows a thread for every item that finds no idle
// one, so that items blocked for long never hold up the others). Queues are safe to use from any thread.
//
// Lifetime: a queue lives until the work submitted to it has run, also when its last handle goes away first.
// When the application ends, work still pending on the main queue is dropped unrun (its function objects are
// destroyed), a `sync` onto the main queue from another thread returns false without running its block once
// quitting has begun, and threads of the other queues are not waited for. Work for the main queue while there
// is no application object (before MainLoop::init, or once it is gone) is dropped the same way.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/core/object.h"

namespace core {

// Informative only: every quality of service gets the same treatment.
enum class QoS { background, utility, defaultQoS, userInitiated, userInteractive };

class DispatchQueue : public Object {
public:
    using Work = std::function<void()>;

    // The queue of the main thread, served by its event loop (see MainLoop).
    static std::shared_ptr<DispatchQueue> main();
    // A new queue with a thread of its own that runs items one at a time, in submission order.
    static std::shared_ptr<DispatchQueue> makeSerial(const std::string& label);
    // A new queue that runs its items at once, each on a thread of its own pool.
    static std::shared_ptr<DispatchQueue> makeConcurrent(const std::string& label);
    // The shared concurrent queue of that quality of service.
    static std::shared_ptr<DispatchQueue> global(QoS qos = QoS::defaultQoS);

    const std::string& label() const { return label_; }

    // Runs `work` later on this queue; never inside this call.
    virtual void async(Work work) = 0;
    // Runs `work` on this queue and returns once it has run (inline when the caller already runs on this
    // queue). False when the work could not run: the main queue after quitting has begun.
    virtual bool sync(Work work) = 0;
    // Runs `work` on this queue no earlier than `seconds` from now; zero, negative and NaN mean as soon as the
    // queue allows, still never inside this call.
    void asyncAfter(double seconds, Work work);

    std::string description() const override;

    // True when the calling code runs on this queue: inside one of its items (for a concurrent queue, on one
    // of its workers), also within a `sync` onto another queue that such an item made. The main queue's is the
    // main thread, and any thread while there is no application object. See assertOnQueue.
    virtual bool servesCallingThread() const;

protected:
    explicit DispatchQueue(std::string label) : label_(std::move(label)) {}

    // Marks the calling thread as running this queue for the scope's lifetime.
    class RunningScope {
    public:
        explicit RunningScope(const DispatchQueue* queue);
        ~RunningScope();
        RunningScope(const RunningScope&) = delete;
        RunningScope& operator=(const RunningScope&) = delete;

    private:
        friend class DispatchQueue;
        const DispatchQueue* const queue_;
        const RunningScope* const outer_;
    };

    // True while the calling thread runs an item of this queue (inside a RunningScope of it, the innermost).
    bool isRunningOnCallingThread() const;

private:
    // The innermost scope of a queue's item on this thread; each scope knows the one it runs inside.
    static thread_local const RunningScope* innermostScope_;

    std::string label_;
};

}  // namespace core
