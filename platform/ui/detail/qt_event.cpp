#include "platform/ui/detail/qt_event.h"

#include <QApplication>

#include <cmath>
#include <map>

namespace ui {

std::uint64_t modifierFlagsOf(Qt::KeyboardModifiers modifiers)
{
    std::uint64_t flags = 0;
    if (modifiers & Qt::ShiftModifier) flags |= ModifierFlags::shift;
    if (modifiers & Qt::MetaModifier) flags |= ModifierFlags::control;
    if (modifiers & Qt::AltModifier) flags |= ModifierFlags::option;
    if (modifiers & Qt::ControlModifier) flags |= ModifierFlags::command;
    return flags;
}

std::uint16_t keyCodeOf(const QKeyEvent& event)
{
    static const std::map<int, std::uint16_t> codes = {
        {Qt::Key_A, 12},         {Qt::Key_B, 11},      {Qt::Key_C, 8},       {Qt::Key_D, 2},       {Qt::Key_E, 14},
        {Qt::Key_F, 3},          {Qt::Key_G, 5},       {Qt::Key_H, 4},       {Qt::Key_I, 34},      {Qt::Key_J, 38},
        {Qt::Key_K, 40},         {Qt::Key_L, 37},      {Qt::Key_M, 41},      {Qt::Key_N, 45},      {Qt::Key_O, 31},
        {Qt::Key_P, 35},         {Qt::Key_Q, 0},       {Qt::Key_R, 15},      {Qt::Key_S, 1},       {Qt::Key_T, 17},
        {Qt::Key_U, 32},         {Qt::Key_V, 9},       {Qt::Key_W, 6},       {Qt::Key_X, 7},       {Qt::Key_Y, 16},
        {Qt::Key_Z, 13},         {Qt::Key_0, 29},      {Qt::Key_1, 18},      {Qt::Key_2, 19},      {Qt::Key_3, 20},
        {Qt::Key_4, 21},         {Qt::Key_5, 23},      {Qt::Key_6, 22},      {Qt::Key_7, 26},      {Qt::Key_8, 28},
        {Qt::Key_9, 25},         {Qt::Key_Escape, 53}, {Qt::Key_Return, 36}, {Qt::Key_Tab, 48},    {Qt::Key_Space, 49},
        {Qt::Key_Backspace, 51}, {Qt::Key_Delete, 51}, {Qt::Key_Left, 123},  {Qt::Key_Right, 124}, {Qt::Key_Down, 125},
        {Qt::Key_Up, 126},
    };
    if (event.key() == Qt::Key_Enter) return event.modifiers() & Qt::KeypadModifier ? 76 : 36;
    auto found = codes.find(event.key());
    return found == codes.end() ? unknownKeyCode : found->second;
}

Event keyEventOf(const QKeyEvent& event, EventType type, gfx::Point location, int windowNumber)
{
    const std::string text = event.text().toStdString();
    return Event::keyEvent(type, location, modifierFlagsOf(event.modifiers()), double(event.timestamp()) / 1000,
                           windowNumber, text, text, event.isAutoRepeat(), keyCodeOf(event));
}

namespace {

struct LastPress {
    quint64 time = 0;
    QPointF position;
    Qt::MouseButton button = Qt::NoButton;
    int count = 0;
};

LastPress& lastPress()
{
    static LastPress press;
    return press;
}

}  // namespace

int clickCountForPress(const QMouseEvent& event)
{
    LastPress& last = lastPress();
    const QPointF position = event.globalPosition();
    const bool again = last.count > 0 && event.button() == last.button &&
                       event.timestamp() - last.time <= quint64(QApplication::doubleClickInterval()) &&
                       std::hypot(position.x() - last.position.x(), position.y() - last.position.y()) <= 4;
    last.count = again ? last.count + 1 : 1;
    last.time = event.timestamp();
    last.position = position;
    last.button = event.button();
    return last.count;
}

int currentClickCount() { return lastPress().count; }

}  // namespace ui
