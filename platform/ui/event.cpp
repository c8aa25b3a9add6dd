#include "platform/ui/event.h"

#include "platform/ui/application.h"

namespace ui {

Event Event::mouseEvent(EventType type, gfx::Point location, std::uint64_t modifierFlags, double timestamp,
                        int windowNumber, int clickCount, double pressure)
{
    Event event;
    event.type = type;
    event.locationInWindow = location;
    event.modifierFlags = modifierFlags;
    event.timestamp = timestamp;
    event.windowNumber = windowNumber;
    event.clickCount = clickCount;
    event.pressure = pressure;
    return event;
}

Event Event::keyEvent(EventType type, gfx::Point location, std::uint64_t modifierFlags, double timestamp,
                      int windowNumber, std::string characters, std::string charactersIgnoringModifiers,
                      bool isARepeat, std::uint16_t keyCode)
{
    Event event;
    event.type = type;
    event.locationInWindow = location;
    event.modifierFlags = modifierFlags;
    event.timestamp = timestamp;
    event.windowNumber = windowNumber;
    event.characters = std::move(characters);
    event.charactersIgnoringModifiers = std::move(charactersIgnoringModifiers);
    event.isARepeat = isARepeat;
    event.keyCode = keyCode;
    return event;
}

std::shared_ptr<Window> Event::window() const
{
    return Application::shared()->windowWithNumber(windowNumber);
}

}  // namespace ui
