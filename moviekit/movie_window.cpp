#include "moviekit/movie_window.h"

#include "appkit/event_key_code.h"
#include "moviekit/movie_actions.h"
#include "platform/ui/application.h"

namespace orvalis {

namespace {

// The action of a key, or none.
ui::Action actionOfKey(std::uint16_t keyCode)
{
    using Key = kestrane::EventKeyCode;
    switch (keyCode) {
    case Key::leftArrow:
        return actions::seekPreviousFrame;
    case Key::rightArrow:
        return actions::seekNextFrame;
    case Key::space:
        return actions::playPause;
    case Key::letterI:
        return actions::setClipStart;
    case Key::letterO:
        return actions::setClipEnd;
    default:
        return {};
    }
}

}  // namespace

std::shared_ptr<MovieWindow> MovieWindow::create(const gfx::Rect& contentRect, unsigned styleMask)
{
    return core::make<MovieWindow>(contentRect, styleMask);
}

void MovieWindow::keyDown(const ui::Event& event)
{
    const ui::Action action = actionOfKey(event.keyCode);
    if (action.empty()) {
        Window::keyDown(event);
        return;
    }
    ui::Application::shared()->sendAction(action, nullptr, sharedAs<Window>());
}

}  // namespace orvalis
