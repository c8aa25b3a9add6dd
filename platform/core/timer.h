// A timer on the main loop: fires once or repeatedly every interval until invalidated. The main loop keeps a
// scheduled timer alive until it is invalidated (or, for a one-shot timer, has fired). Schedule and invalidate
// from any thread; the function always runs on the main thread.
#pragma once

#include <any>
#include <atomic>
#include <functional>
#include <memory>

#include "platform/core/object.h"

namespace core {

class Timer : public Object {
public:
    using Function = std::function<void(Timer&)>;

    static std::shared_ptr<Timer> scheduled(double seconds, bool repeats, Function function, std::any userInfo = {});

    Timer(double seconds, bool repeats, Function function, std::any userInfo);
    ~Timer() override;

    // Stops the timer for good; its function is never called again.
    void invalidate();
    bool isValid() const { return valid_; }
    const std::any& userInfo() const { return userInfo_; }
    double timeInterval() const { return seconds_; }
    bool repeats() const { return repeats_; }

private:
    struct Runner;

    // Main thread only.
    void start();
    void fire();
    void stop();

    const double seconds_;
    const bool repeats_;
    const Function function_;
    const std::any userInfo_;
    std::atomic<bool> valid_{true};
    std::unique_ptr<Runner> runner_;  // main thread only
};

// Blocks the calling thread for `seconds`.
void sleepFor(double seconds);

}  // namespace core
