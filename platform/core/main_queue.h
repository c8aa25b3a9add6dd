// The main queue: work items posted, in order, to the application object's event queue on the main thread.
// Internal to the dispatch layer; MainLoop tells it when quitting begins.
#pragma once

#include <memory>
#include <mutex>
#include <set>

#include "platform/core/dispatch_queue.h"

class QCoreApplication;

namespace core {

class MainQueue final : public DispatchQueue {
public:
    static std::shared_ptr<MainQueue> shared();

    MainQueue() : DispatchQueue("main") {}

    // Without an application object (before it exists or once it is gone) work is dropped.
    void async(Work work) override;
    bool sync(Work work) override;

    // From now on `sync` from other threads returns false at once, and the ones waiting return false unless
    // their work has already started.
    void beginQuitting();
    // Lets `sync` wait for the main thread again (a new run of the loop).
    void endQuitting();
    bool isQuitting() const;

    // True on the thread of the application object.
    static bool isMainThread();

    struct PendingSync;

private:
    // The application object, watched for its end of loop and its destruction; null when there is none or
    // it is being destroyed. Called with mutex_ held.
    QCoreApplication* application();
    // Called by the application object's destructor, before anything of it is gone: nothing is posted to it
    // from then on. Work posted while it runs is never in the middle of posting then, since both hold mutex_.
    static void applicationEnds();

    mutable std::mutex mutex_;
    bool quitting_ = false;
    QCoreApplication* watched_ = nullptr;
    QCoreApplication* ending_ = nullptr;
    std::set<std::shared_ptr<PendingSync>> pendingSyncs_;
};

}  // namespace core
