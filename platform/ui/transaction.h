// Groups changes of layer properties: whether they animate (setDisableActions), over which duration and
// curve, and what runs once their animations have ended. Transactions nest; a setting holds for its own
// transaction and the ones inside it. Changes made outside any begin/commit join an implicit transaction
// that commits on the next turn of the main loop. Main thread only.
#pragma once

#include <functional>
#include <memory>

#include "platform/ui/timing_function.h"

namespace ui {

class CompletionGroup;

class Transaction {
public:
    // The duration of implicit animations when no transaction sets one.
    static constexpr double defaultDuration = 0.25;

    static void begin();
    // Ends the innermost transaction begun; does nothing without one.
    static void commit();

    static bool disableActions();
    static void setDisableActions(bool disable);
    static double animationDuration();
    static void setAnimationDuration(double seconds);
    static TimingFunction animationTimingFunction();
    static void setAnimationTimingFunction(const TimingFunction& timing);
    // Runs once every animation started in this transaction (and those inside it) has ended; right after the
    // commit, on the next turn of the main loop, when none started.
    static void setCompletionBlock(std::function<void()> completion);

    // The group that animations started now belong to. For the ui layer's own use.
    static std::shared_ptr<CompletionGroup> currentGroup();

    // Begins on construction and commits on destruction.
    class Scope {
    public:
        Scope() { begin(); }
        ~Scope() { commit(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

    // Begins a transaction with actions disabled and commits it after `changes`.
    static void withoutAnimation(const std::function<void()>& changes);
};

}  // namespace ui
