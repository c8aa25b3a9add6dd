#include "platform/ui/animation_engine.h"

#include <QElapsedTimer>
#include <QTimer>

#include <map>
#include <utility>
#include <vector>

#include "platform/core/dispatch_queue.h"

namespace ui {

CompletionGroup::~CompletionGroup()
{
    if (completion_) core::DispatchQueue::main()->async(std::move(completion_));
}

namespace {

struct Running {
    double start;
    double duration;
    TimingFunction timing;
    AnimationEngine::Step step;
    std::shared_ptr<CompletionGroup> group;
};

using Key = std::pair<const void*, std::string>;

}  // namespace

struct AnimationEngine::Impl {
    QElapsedTimer clock;
    QTimer timer;
    std::map<Key, Running> running;

    double now() const { return double(clock.nsecsElapsed()) / 1e9; }

    void tick()
    {
        std::vector<Key> keys;
        for (auto& entry : running)
            keys.push_back(entry.first);
        const double time = now();
        for (auto& key : keys) {
            auto found = running.find(key);
            if (found == running.end()) continue;
            Running& animation = found->second;
            const double elapsed = animation.duration > 0 ? (time - animation.start) / animation.duration : 1;
            const bool finished = elapsed >= 1;
            const double fraction = animation.timing.valueAt(finished ? 1.0 : elapsed);
            auto step = animation.step;
            auto group = animation.group;  // the group ends only once this last step has run
            if (finished) running.erase(found);
            step(fraction);
        }
        if (running.empty()) timer.stop();
    }
};

AnimationEngine::AnimationEngine() : impl_(std::make_unique<Impl>())
{
    impl_->clock.start();
    impl_->timer.setInterval(16);
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] { impl_->tick(); });
}

AnimationEngine& AnimationEngine::shared()
{
    static AnimationEngine* engine = new AnimationEngine;
    return *engine;
}

void AnimationEngine::start(const void* owner, const std::string& key, double duration, const TimingFunction& timing,
                            Step step, std::shared_ptr<CompletionGroup> group)
{
    Key id{owner, key};
    impl_->running.erase(id);
    impl_->running.emplace(id, Running{impl_->now(), duration, timing, std::move(step), std::move(group)});
    if (!impl_->timer.isActive()) impl_->timer.start();
}

void AnimationEngine::cancel(const void* owner, const std::string& key) { impl_->running.erase(Key{owner, key}); }

void AnimationEngine::cancelAll(const void* owner)
{
    for (auto it = impl_->running.begin(); it != impl_->running.end();) {
        if (it->first.first == owner)
            it = impl_->running.erase(it);
        else
            ++it;
    }
}

bool AnimationEngine::isAnimating(const void* owner, const std::string& key) const
{
    return impl_->running.count(Key{owner, key}) != 0;
}

}  // namespace ui
