// A mutex that Clang's thread-safety analysis knows as one (std::mutex is not annotated), and the lock that
// holds it for a scope. Both are used from any thread; a lock belongs to the thread that made it.
#pragma once

#include <mutex>

#include "platform/core/thread_annotations.h"

namespace core {

class CAPABILITY("mutex") Mutex {
public:
    Mutex() = default;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void lock() ACQUIRE() { mutex_.lock(); }
    void unlock() RELEASE() { mutex_.unlock(); }
    // Tells the analysis that the calling code holds the mutex where it cannot see it taken.
    void assertHeld() const THREAD_ANNOTATION(assert_capability(this)) {}

private:
    friend class MutexLock;
    std::mutex mutex_;
};

// Holds the mutex from its making to its end; `unlock` and `lock` let it go and take it again within that
// scope, and a ConditionVariable waits with it.
class SCOPED_CAPABILITY MutexLock {
public:
    explicit MutexLock(Mutex& mutex) ACQUIRE(mutex) : lock_(mutex.mutex_) {}
    ~MutexLock() RELEASE() {}
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

    void unlock() RELEASE() { lock_.unlock(); }
    void lock() ACQUIRE() { lock_.lock(); }

private:
    friend class ConditionVariable;
    std::unique_lock<std::mutex> lock_;
};

}  // namespace core
