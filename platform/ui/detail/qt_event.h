// Qt input turned into events, for the ui layer's own use.
#pragma once

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/ui/event.h"

namespace ui {

std::uint64_t modifierFlagsOf(Qt::KeyboardModifiers modifiers);
// The key code of the key's label (see Event), unknownKeyCode for keys without one.
std::uint16_t keyCodeOf(const QKeyEvent& event);
Event keyEventOf(const QKeyEvent& event, EventType type, gfx::Point location, int windowNumber);
// The click count of a press: one more than the last press's when it came within the double-click interval
// close by, else 1. Releases and drags carry the count of their press.
int clickCountForPress(const QMouseEvent& event);
int currentClickCount();

}  // namespace ui
