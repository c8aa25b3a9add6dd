#include "platform/ui/transaction.h"

#include <optional>
#include <vector>

#include "platform/core/dispatch_queue.h"
#include "platform/ui/animation_engine.h"

namespace ui {

namespace {

struct Frame {
    std::optional<bool> disableActions;
    std::optional<double> duration;
    std::optional<TimingFunction> timing;
    std::function<void()> completion;
    std::shared_ptr<CompletionGroup> group;
    bool implicit = false;
};

std::vector<Frame>& stack()
{
    thread_local std::vector<Frame> frames;
    return frames;
}

// The innermost frame, opening the implicit one (committed on the next turn) when none is open.
Frame& top()
{
    auto& frames = stack();
    if (frames.empty()) {
        frames.push_back(Frame{});
        frames.back().implicit = true;
        core::DispatchQueue::main()->async([] {
            auto& open = stack();
            if (!open.empty() && open.front().implicit) {
                while (open.size() > 1)
                    Transaction::commit();
                Transaction::commit();
            }
        });
    }
    return frames.back();
}

template <class T, class Member>
std::optional<T> lookup(Member member)
{
    auto& frames = stack();
    for (auto it = frames.rbegin(); it != frames.rend(); ++it)
        if ((*it).*member) return (*it).*member;
    return std::nullopt;
}

}  // namespace

void Transaction::begin() { stack().push_back(Frame{}); }

void Transaction::commit()
{
    auto& frames = stack();
    if (frames.empty()) return;
    Frame frame = std::move(frames.back());
    frames.pop_back();
    if (frame.completion && !frame.group)
        frame.group = std::make_shared<CompletionGroup>(std::move(frame.completion), nullptr);
    // Dropping the frame's hold lets the group finish once its animations have.
}

bool Transaction::disableActions() { return lookup<bool>(&Frame::disableActions).value_or(false); }

void Transaction::setDisableActions(bool disable) { top().disableActions = disable; }

double Transaction::animationDuration() { return lookup<double>(&Frame::duration).value_or(defaultDuration); }

void Transaction::setAnimationDuration(double seconds) { top().duration = seconds; }

TimingFunction Transaction::animationTimingFunction()
{
    return lookup<TimingFunction>(&Frame::timing).value_or(TimingFunction::named(TimingFunctionName::defaultTiming));
}

void Transaction::setAnimationTimingFunction(const TimingFunction& timing) { top().timing = timing; }

void Transaction::setCompletionBlock(std::function<void()> completion)
{
    Frame& frame = top();
    if (frame.group)
        frame.group->setCompletion(std::move(completion));  // animations already joined it
    else
        frame.completion = std::move(completion);
}

std::shared_ptr<CompletionGroup> Transaction::currentGroup()
{
    top();
    auto& frames = stack();
    std::shared_ptr<CompletionGroup> parent;
    for (auto& frame : frames) {
        if (!frame.group) frame.group = std::make_shared<CompletionGroup>(std::move(frame.completion), parent);
        parent = frame.group;
    }
    return parent;
}

void Transaction::withoutAnimation(const std::function<void()>& changes)
{
    Scope scope;
    setDisableActions(true);
    changes();
}

}  // namespace ui
