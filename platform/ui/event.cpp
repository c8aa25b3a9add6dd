#include "platform/ui/event.h"

#include "platform/ui/application.h"

namespace ui {

namespace {

// What mouse and key events share: where and when they happened, in which window, with which modifiers.
Event located(EventType type, gfx::Point location, std::uint64_t modifierFlags, double timestamp, int windowNumber)
{
    Event event;
    event.type = type;
    event.locationInWindow = location;
    event.modifierFlags = modifierFlags;
    event.timestamp = timestamp;
    event.windowNumber = windowNumber;
    return event;
}

}  // namespace

Event Event::mouseEvent(EventType type, gfx::Point location, std::uint64_t modifierFlags, double timestamp,
                        int windowNumber, int clickCount, double pressure)
{
    Event event = located(type, location, modifierFlags, timestamp, windowNumber);
    event.clickCount = clickCount;
    event.pressure = pressure;
    return event;
}

Event Event::keyEvent(EventType type, gfx::Point location, std::uint64_t modifierFlags, double timestamp,
                      int windowNumber, std::string characters, std::string charactersIgnoringModifiers, bool isARepeat,
                      std::uint16_t keyCode)
{
    Event event = located(type, location, modifierFlags, timestamp, windowNumber);
    event.characters = std::move(characters);
    event.charactersIgnoringModifiers = std::move(charactersIgnoringModifiers);
    event.isARepeat = isARepeat;
    event.keyCode = keyCode;
    return event;
}

std::shared_ptr<Window> Event::window() const { return Application::shared()->windowWithNumber(windowNumber); }

}  // namespace ui
