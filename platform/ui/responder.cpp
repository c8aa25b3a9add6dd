#include "platform/ui/responder.h"

namespace ui {

void Responder::registerAction(const Action& action, ActionHandler handler) { actions_[action] = std::move(handler); }

bool Responder::respondsTo(const Action& action) const { return actions_.count(action) != 0; }

bool Responder::tryToPerform(const Action& action, const std::shared_ptr<core::Object>& sender)
{
    auto found = actions_.find(action);
    if (found == actions_.end()) return false;
    auto handler = found->second;  // the handler may replace its own registration
    handler(sender);
    return true;
}

std::shared_ptr<Responder> Responder::nextResponder() const { return next_.lock(); }

void Responder::setNextResponder(const std::shared_ptr<Responder>& next)
{
    next_ = next;
    explicitNext_ = true;
}

#define UI_FORWARD_EVENT(name)                                                                                         \
    void Responder::name(const Event& event)                                                                           \
    {                                                                                                                  \
        if (auto next = nextResponder()) next->name(event);                                                            \
    }

UI_FORWARD_EVENT(mouseDown)
UI_FORWARD_EVENT(mouseDragged)
UI_FORWARD_EVENT(mouseUp)
UI_FORWARD_EVENT(rightMouseDown)
UI_FORWARD_EVENT(rightMouseDragged)
UI_FORWARD_EVENT(rightMouseUp)
UI_FORWARD_EVENT(mouseMoved)
UI_FORWARD_EVENT(scrollWheel)
UI_FORWARD_EVENT(keyDown)
UI_FORWARD_EVENT(keyUp)

#undef UI_FORWARD_EVENT

}  // namespace ui
