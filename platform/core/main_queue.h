// The main queue: work items run in order on the main thread, one per event posted to the application object.
// The queue keeps the items itself, so that items still waiting when the application object goes away are
// neither run nor destroyed: destroying them there (with the windows they may hold) would happen inside Qt's
// own clean-up, which cannot take it. Internal to the dispatch layer; MainLoop tells it when quitting begins.
#pragma once

#include <deque>
#include <memory>
#include <set>

#include "platform/core/dispatch_queue.h"
#include "platform/core/mutex.h"

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
    // On the main thread, or on any thread while there is no application object.
    bool servesCallingThread() const override;

    struct PendingSync;

private:
    // The application object, watched for its end of loop and its destruction; null when there is none or
    // it is being destroyed. Items left by an earlier application object are put aside for good. Called with
    // mutex_ held.
    QCoreApplication* application() REQUIRES(mutex_);
    // Called by the application object's destructor, before anything of it is gone: nothing is posted to it
    // from then on, and the `sync` calls waiting return false. Work posted while it runs is never in the middle
    // of posting then, since both hold mutex_.
    static void applicationEnds();
    // With mutex_ held: queues the item and posts the event that runs it.
    void post(QCoreApplication& app, Work work) REQUIRES(mutex_);
    // Main thread: runs the oldest waiting item.
    void runNext();

    mutable Mutex mutex_;  // guards everything below: the state of quitting, the application objects, the items
    bool quitting_ GUARDED_BY(mutex_) = false;
    QCoreApplication* watched_ GUARDED_BY(mutex_) = nullptr;
    QCoreApplication* ending_ GUARDED_BY(mutex_) = nullptr;
    std::set<std::shared_ptr<PendingSync>> pendingSyncs_ GUARDED_BY(mutex_);
    std::deque<Work> waiting_ GUARDED_BY(mutex_);
};

}  // namespace core
