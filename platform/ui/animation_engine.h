// The clock behind every animation of the layer: runs registered animations at 60 Hz, each keyed by its
// owner and key (a new one replaces a running one of the same key), and tells completion groups when their
// last animation has ended. For the ui layer's own use. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/timing_function.h"

namespace ui {

// Runs its completion (on a later turn of the main queue) once nothing holds it any more: the transaction or
// group that made it, every animation started in it and every nested group (which holds its parent).
class CompletionGroup {
public:
    CompletionGroup(std::function<void()> completion, std::shared_ptr<CompletionGroup> parent)
        : completion_(std::move(completion)), parent_(std::move(parent))
    {
    }
    ~CompletionGroup();
    CompletionGroup(const CompletionGroup&) = delete;
    void setCompletion(std::function<void()> completion) { completion_ = std::move(completion); }
    CompletionGroup& operator=(const CompletionGroup&) = delete;

private:
    std::function<void()> completion_;
    std::shared_ptr<CompletionGroup> parent_;
};

class AnimationEngine {
public:
    // Applies the paced fraction 0...1 of the change; the last call gets 1.
    using Step = std::function<void(double fraction)>;

    static AnimationEngine& shared();

    void start(const void* owner, const std::string& key, double duration, const TimingFunction& timing, Step step,
               std::shared_ptr<CompletionGroup> group);
    // Ends the animation of that key without applying the rest of it.
    void cancel(const void* owner, const std::string& key);
    void cancelAll(const void* owner);
    bool isAnimating(const void* owner, const std::string& key) const;

private:
    AnimationEngine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
