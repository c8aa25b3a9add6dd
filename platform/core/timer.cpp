#include "platform/core/timer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>
#include <thread>

#include "platform/core/dispatch_queue.h"
#include "platform/core/main_queue.h"

namespace core {

namespace {

// The timers the main loop keeps alive; main thread only. Never destroyed, like the loop's own state.
std::set<std::shared_ptr<Timer>>& liveTimers()
{
    static auto* timers = new std::set<std::shared_ptr<Timer>>;
    return *timers;
}

void onMainThread(std::function<void()> work)
{
    if (MainQueue::isMainThread())
        work();
    else
        DispatchQueue::main()->async(std::move(work));
}

}  // namespace

struct Timer::Runner {
    QPointer<QTimer> timer;  // owned by the application object, so it never outlives it
};

std::shared_ptr<Timer> Timer::scheduled(double seconds, bool repeats, Function function, std::any userInfo)
{
    auto timer = make<Timer>(seconds, repeats, std::move(function), std::move(userInfo));
    onMainThread([timer] { timer->start(); });
    return timer;
}

Timer::Timer(double seconds, bool repeats, Function function, std::any userInfo)
    : seconds_(seconds), repeats_(repeats), function_(std::move(function)), userInfo_(std::move(userInfo))
{
}

Timer::~Timer() = default;

void Timer::start()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!valid_ || !app) return;
    liveTimers().insert(sharedAs<Timer>());
    // Qt counts whole milliseconds; a zero interval would fire on every pass of the loop.
    const double milliseconds = std::isnan(seconds_) ? 0.0 : std::clamp(seconds_ * 1000.0, 0.1, 2e9);
    runner_ = std::make_unique<Runner>();
    runner_->timer = new QTimer(app);
    runner_->timer->setTimerType(Qt::PreciseTimer);
    runner_->timer->setSingleShot(!repeats_);
    runner_->timer->setInterval(static_cast<int>(std::ceil(milliseconds)));
    QObject::connect(runner_->timer, &QTimer::timeout, runner_->timer, [this] { fire(); });
    runner_->timer->start();
}

void Timer::fire()
{
    if (!valid_) return;
    auto self = sharedAs<Timer>();  // the function may drop the last outside reference
    function_(*this);
    if (!repeats_) invalidate();
}

void Timer::invalidate()
{
    if (!valid_.exchange(false)) return;
    onMainThread([self = sharedAs<Timer>()] { self->stop(); });
}

void Timer::stop()
{
    if (runner_ && runner_->timer) {
        runner_->timer->stop();
        runner_->timer->deleteLater();  // it may be the one emitting right now
    }
    runner_.reset();
    liveTimers().erase(sharedAs<Timer>());
}

void sleepFor(double seconds)
{
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(std::min(seconds, 1e9)));
}

}  // namespace core
