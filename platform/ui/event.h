// An input event as views and windows see it: mouse presses, drags and releases with their click count and
// location in the window (y-up from the content area's bottom left), and keys with their key code, characters
// and modifier flags. A value type; made on the main thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/point.h"

namespace ui {

class Window;

enum class EventType {
    leftMouseDown = 1,
    leftMouseUp = 2,
    rightMouseDown = 3,
    rightMouseUp = 4,
    mouseMoved = 5,
    leftMouseDragged = 6,
    rightMouseDragged = 7,
    mouseEntered = 8,
    mouseExited = 9,
    keyDown = 10,
    keyUp = 11,
    flagsChanged = 12,
    scrollWheel = 22,
};

// One bit per event type: 1 << type.
using EventMask = std::uint64_t;
constexpr EventMask eventMaskFor(EventType type) { return EventMask(1) << int(type); }

namespace ModifierFlags {
constexpr std::uint64_t shift = 1u << 17;
constexpr std::uint64_t control = 1u << 18;
constexpr std::uint64_t option = 1u << 19;
constexpr std::uint64_t command = 1u << 20;
}  // namespace ModifierFlags

// Key codes of keys that have none in the table of labelled keys.
constexpr std::uint16_t unknownKeyCode = 0xFFFF;

struct Event {
    EventType type = EventType::mouseMoved;
    gfx::Point locationInWindow;
    std::uint64_t modifierFlags = 0;
    double timestamp = 0;
    int windowNumber = 0;
    int clickCount = 0;
    double pressure = 0;
    std::uint16_t keyCode = unknownKeyCode;
    std::string characters;
    std::string charactersIgnoringModifiers;
    bool isARepeat = false;
    double deltaX = 0;
    double deltaY = 0;

    static Event mouseEvent(EventType type, gfx::Point location, std::uint64_t modifierFlags, double timestamp,
                            int windowNumber, int clickCount, double pressure);
    static Event keyEvent(EventType type, gfx::Point location, std::uint64_t modifierFlags, double timestamp,
                          int windowNumber, std::string characters, std::string charactersIgnoringModifiers,
                          bool isARepeat, std::uint16_t keyCode);

    // The window of windowNumber while it exists.
    std::shared_ptr<Window> window() const;

    friend bool operator==(const Event&, const Event&) = default;
};

}  // namespace ui
