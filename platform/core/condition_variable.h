// A condition variable that waits with a MutexLock: each wait lets the mutex go while it sleeps and holds it
// again when it returns, so that the analysis sees it held throughout. The predicates, called with the mutex
// held, say so (REQUIRES). Used from any thread.
#pragma once

#include <chrono>
#include <condition_variable>

#include "platform/core/mutex.h"

namespace core {

class ConditionVariable {
public:
    ConditionVariable() = default;
    ConditionVariable(const ConditionVariable&) = delete;
    ConditionVariable& operator=(const ConditionVariable&) = delete;

    void notify_one() noexcept { condition_.notify_one(); }
    void notify_all() noexcept { condition_.notify_all(); }

    void wait(MutexLock& lock) { condition_.wait(lock.lock_); }
    // The predicate is called with the mutex held, which the analysis cannot see through std::condition_variable.
    template <class Predicate>
    void wait(MutexLock& lock, Predicate done) NO_THREAD_SAFETY_ANALYSIS
    {
        condition_.wait(lock.lock_, done);
    }
    template <class Rep, class Period>
    std::cv_status wait_for(MutexLock& lock, const std::chrono::duration<Rep, Period>& duration)
    {
        return condition_.wait_for(lock.lock_, duration);
    }
    template <class Rep, class Period, class Predicate>
    bool wait_for(MutexLock& lock, const std::chrono::duration<Rep, Period>& duration,
                  Predicate done) NO_THREAD_SAFETY_ANALYSIS
    {
        return condition_.wait_for(lock.lock_, duration, done);
    }
    template <class Clock, class Duration>
    std::cv_status wait_until(MutexLock& lock, const std::chrono::time_point<Clock, Duration>& deadline)
    {
        return condition_.wait_until(lock.lock_, deadline);
    }
    template <class Clock, class Duration, class Predicate>
    bool wait_until(MutexLock& lock, const std::chrono::time_point<Clock, Duration>& deadline,
                    Predicate done) NO_THREAD_SAFETY_ANALYSIS
    {
        return condition_.wait_until(lock.lock_, deadline, done);
    }

private:
    std::condition_variable condition_;
};

}  // namespace core
