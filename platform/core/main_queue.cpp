#include "platform/core/main_queue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include "platform/core/condition_variable.h"

namespace core {

// One `sync` from another thread, from the moment it is posted until its caller is let go.
struct MainQueue::PendingSync {
    enum class State { waiting, running, done, cancelled };

    // True when the work may start: it was neither cancelled nor started before.
    bool claim()
    {
        MutexLock lock(mutex);
        if (state != State::waiting) return false;
        state = State::running;
        return true;
    }

    // Work already started always ends as done; cancelling only lets a waiting call go.
    void finish(State outcome)
    {
        MutexLock lock(mutex);
        if (outcome == State::cancelled && state != State::waiting) return;
        state = outcome;
        changed.notify_all();
    }

    State await()
    {
        MutexLock lock(mutex);
        changed.wait(lock, [this]() REQUIRES(mutex) { return state == State::done || state == State::cancelled; });
        return state;
    }

    Mutex mutex;  // guards the state
    ConditionVariable changed;
    State state GUARDED_BY(mutex) = State::waiting;
};

std::shared_ptr<MainQueue> MainQueue::shared()
{
    // Never destroyed: worker threads may still reach it while the process ends.
    static auto* queue = new std::shared_ptr<MainQueue>(std::make_shared<MainQueue>());
    return *queue;
}

QCoreApplication* MainQueue::application()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        ending_ = nullptr;
        return nullptr;
    }
    if (app == ending_) return nullptr;
    if (app != watched_) {
        if (!waiting_.empty()) {
            // The events that would have run them went with the old application object.
            static auto* setAside = new std::deque<Work>;
            for (auto& work : waiting_)
                setAside->push_back(std::move(work));
            waiting_.clear();
        }
        watched_ = app;
        QObject::connect(
            app, &QCoreApplication::aboutToQuit, app, [] { MainQueue::shared()->beginQuitting(); },
            Qt::DirectConnection);
        qAddPostRoutine(&MainQueue::applicationEnds);
    }
    return app;
}

void MainQueue::applicationEnds()
{
    const auto queue = shared();
    MutexLock lock(queue->mutex_);
    queue->ending_ = queue->watched_;
    queue->watched_ = nullptr;
    // Their items will never run: the callers waiting for them are let go.
    for (const auto& pending : queue->pendingSyncs_)
        pending->finish(PendingSync::State::cancelled);
}

void MainQueue::async(Work work)
{
    MutexLock lock(mutex_);
    QCoreApplication* app = application();
    if (app) post(*app, std::move(work));
}

void MainQueue::post(QCoreApplication& app, Work work)
{
    // The item goes through waiting_, under mutex_, never inside the event: Qt hands events between threads
    // with its own atomics, which ThreadSanitizer cannot follow.
    waiting_.push_back(std::move(work));
    QMetaObject::invokeMethod(
        &app, [] { MainQueue::shared()->runNext(); }, Qt::QueuedConnection);
}

void MainQueue::runNext()
{
    Work work;
    {
        MutexLock lock(mutex_);
        if (waiting_.empty()) return;
        work = std::move(waiting_.front());
        waiting_.pop_front();
    }
    work();
}

bool MainQueue::sync(Work work)
{
    std::shared_ptr<PendingSync> pending;
    {
        MutexLock lock(mutex_);
        QCoreApplication* app = application();
        if (!app) return false;
        if (QThread::currentThread() != app->thread()) {
            if (quitting_) return false;
            pending = std::make_shared<PendingSync>();
            pendingSyncs_.insert(pending);
            post(*app, [pending, work] {
                if (!pending->claim()) return;
                work();
                pending->finish(PendingSync::State::done);
            });
        }
    }
    if (!pending) {
        work();
        return true;
    }
    const PendingSync::State outcome = pending->await();
    MutexLock lock(mutex_);
    pendingSyncs_.erase(pending);
    return outcome == PendingSync::State::done;
}

void MainQueue::beginQuitting()
{
    MutexLock lock(mutex_);
    quitting_ = true;
    for (const auto& pending : pendingSyncs_)
        pending->finish(PendingSync::State::cancelled);
}

void MainQueue::endQuitting()
{
    MutexLock lock(mutex_);
    quitting_ = false;
}

bool MainQueue::isMainThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool MainQueue::servesCallingThread() const { return !QCoreApplication::instance() || isMainThread(); }

bool MainQueue::isQuitting() const
{
    MutexLock lock(mutex_);
    return quitting_;
}

}  // namespace core
