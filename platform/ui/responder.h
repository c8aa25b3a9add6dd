// Base of everything that takes part in event and action handling: views, windows, controllers and the
// application. Actions are registered by selector text; a responder passes events it does not handle to its
// next responder. Responders are observable, so that their keys can be bound and observed. Main thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <type_traits>

#include "platform/core/observable.h"
#include "platform/ui/action.h"
#include "platform/ui/event.h"

namespace ui {

class Responder : public core::Observable {
public:
    using ActionHandler = std::function<void(const std::shared_ptr<core::Object>& sender)>;

    // Makes `action` performable on this responder.
    void registerAction(const Action& action, ActionHandler handler);
    // Makes `action` performable by calling `member` on this responder, with the sender when `member` takes
    // one. The handler holds the responder weakly, so that no registration keeps it alive, and keeps it alive
    // while it runs. For responders made through core::make, from awake() on.
    template <class Self, class Member>
    void registerCommand(const Action& action, Member Self::*member);
    virtual bool respondsTo(const Action& action) const;
    // Performs the action when this responder has it; false otherwise.
    virtual bool tryToPerform(const Action& action, const std::shared_ptr<core::Object>& sender);

    // The responder an unhandled event goes to; the one set, or the default of the subclass.
    virtual std::shared_ptr<Responder> nextResponder() const;
    void setNextResponder(const std::shared_ptr<Responder>& next);

    virtual bool acceptsFirstResponder() const { return false; }
    virtual bool becomeFirstResponder() { return true; }
    virtual bool resignFirstResponder() { return true; }

    // Enables or disables an item that sends an action this responder performs; enabled by default.
    virtual bool validateUserInterfaceItem(const ValidatedUserInterfaceItem& item) { return true; }

    // Each passes the event to the next responder unless overridden.
    virtual void mouseDown(const Event& event);
    virtual void mouseDragged(const Event& event);
    virtual void mouseUp(const Event& event);
    virtual void rightMouseDown(const Event& event);
    virtual void rightMouseDragged(const Event& event);
    virtual void rightMouseUp(const Event& event);
    virtual void mouseMoved(const Event& event);
    virtual void scrollWheel(const Event& event);
    virtual void keyDown(const Event& event);
    virtual void keyUp(const Event& event);

protected:
    // True when the next responder was set explicitly (then it takes the place of the default).
    bool hasExplicitNextResponder() const { return explicitNext_; }
    std::shared_ptr<Responder> explicitNextResponder() const { return next_.lock(); }

private:
    std::map<Action, ActionHandler> actions_;
    std::weak_ptr<Responder> next_;
    bool explicitNext_ = false;
};

template <class Self, class Member>
void Responder::registerCommand(const Action& action, Member Self::*member)
{
    std::weak_ptr<Self> weak = sharedAs<Self>();
    registerAction(action, [weak, member](const std::shared_ptr<core::Object>& sender) {
        const auto self = weak.lock();
        if (!self) return;
        if constexpr (std::is_invocable_v<Member Self::*, Self&, const std::shared_ptr<core::Object>&>)
            std::invoke(member, *self, sender);
        else
            std::invoke(member, *self);
    });
}

}  // namespace ui
