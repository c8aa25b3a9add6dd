// Value setters for controls that also enable or disable them, writing a control's value through its value
// binding, running its action, tri-state buttons as optional booleans, labels, and the font of a control size.
// Main thread only.
#pragma once

#include <any>
#include <memory>
#include <optional>
#include <string>

#include "platform/gfx/color.h"
#include "platform/gfx/font.h"
#include "platform/ui/button.h"
#include "platform/ui/color_well.h"
#include "platform/ui/control.h"
#include "platform/ui/text_field.h"

namespace kestrane {

double CGFloatValue(const ui::Control& control);
void setCGFloatValue(ui::Control& control, double value);
double float64Value(const ui::Control& control);
void setFloat64Value(ui::Control& control, double value);

void enableWithString(ui::Control& control, const std::string& value);
void disableWithString(ui::Control& control, const std::string& value);
void enableWithFloat(ui::Control& control, float value);
void disableWithFloat(ui::Control& control, float value);
void enableWithDouble(ui::Control& control, double value);
void disableWithDouble(ui::Control& control, double value);
void enableWithCGFloat(ui::Control& control, double value);
void disableWithCGFloat(ui::Control& control, double value);

void setTarget(ui::Control& control, const std::shared_ptr<ui::Responder>& target, const ui::Action& action);
// Sends the control's action to its target (no target: along the responder chain) from the control; nothing
// without an action.
void performAction(const std::shared_ptr<ui::Control>& control);

void setFloatBindingValue(ui::Control& control, float value);
void setDoubleBindingValue(ui::Control& control, double value);
void setNumberBindingValue(ui::Control& control, double value);
void setStringBindingValue(ui::Control& control, const std::string& value);
// With a value binding, writes `value` to the bound object's key path (the control itself is left to the
// binding); without one, sets the control's own `key`.
void setObjectBindingValue(ui::Control& control, const std::any& value, const std::string& key);

// On true, off false, mixed nullopt.
std::optional<bool> boolState(const ui::Button& button);
void setBoolState(ui::Button& button, std::optional<bool> state);
void enableWithValue(ui::Button& button, int state);
void disableWithValue(ui::Button& button, int state);
void enableWithBool(ui::Button& button, std::optional<bool> state);
void disableWithBool(ui::Button& button, std::optional<bool> state);

// A text field that only shows its text: no bezel, no background, neither editable nor selectable.
std::shared_ptr<ui::TextField> labelFrame(const gfx::Rect& frame);

// The system font at the system font size of `size`.
gfx::Font systemFontForControlSize(ui::ControlSize size);

gfx::Color cgcolor(const ui::ColorWell& well);
void setCgcolor(ui::ColorWell& well, const gfx::Color& color);

}  // namespace kestrane
