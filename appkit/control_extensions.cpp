#include "appkit/control_extensions.h"

#include "appkit/bool_control_state.h"
#include "platform/ui/application.h"
#include "platform/ui/system_style.h"

namespace kestrane {

double CGFloatValue(const ui::Control& control) { return control.doubleValue(); }
void setCGFloatValue(ui::Control& control, double value) { control.setDoubleValue(value); }
double float64Value(const ui::Control& control) { return control.doubleValue(); }
void setFloat64Value(ui::Control& control, double value) { control.setDoubleValue(value); }

void enableWithString(ui::Control& control, const std::string& value)
{
    control.setStringValue(value);
    control.setEnabled(true);
}

void disableWithString(ui::Control& control, const std::string& value)
{
    control.setStringValue(value);
    control.setEnabled(false);
}

void enableWithFloat(ui::Control& control, float value)
{
    control.setFloatValue(value);
    control.setEnabled(true);
}

void disableWithFloat(ui::Control& control, float value)
{
    control.setFloatValue(value);
    control.setEnabled(false);
}

void enableWithDouble(ui::Control& control, double value)
{
    control.setDoubleValue(value);
    control.setEnabled(true);
}

void disableWithDouble(ui::Control& control, double value)
{
    control.setDoubleValue(value);
    control.setEnabled(false);
}

void enableWithCGFloat(ui::Control& control, double value)
{
    setCGFloatValue(control, value);
    control.setEnabled(true);
}

void disableWithCGFloat(ui::Control& control, double value)
{
    setCGFloatValue(control, value);
    control.setEnabled(false);
}

void setTarget(ui::Control& control, const std::shared_ptr<ui::Responder>& target, const ui::Action& action)
{
    control.setTarget(target);
    control.setAction(action);
}

void performAction(const std::shared_ptr<ui::Control>& control)
{
    if (control->action().empty()) return;
    ui::Application::shared()->sendAction(control->action(), control->target(), control);
}

void setFloatBindingValue(ui::Control& control, float value) { setNumberBindingValue(control, double(value)); }
void setDoubleBindingValue(ui::Control& control, double value) { setNumberBindingValue(control, value); }
void setNumberBindingValue(ui::Control& control, double value)
{
    setObjectBindingValue(control, std::any(value), "doubleValue");
}
void setStringBindingValue(ui::Control& control, const std::string& value)
{
    setObjectBindingValue(control, std::any(value), "stringValue");
}

void setObjectBindingValue(ui::Control& control, const std::any& value, const std::string& key)
{
    if (auto info = control.infoForBinding(ui::valueBinding); info && info->observedObject) {
        info->observedObject->setValueForKey(info->observedKeyPath, value);
        return;
    }
    control.setValueForKey(key, value);
}

std::optional<bool> boolState(const ui::Button& button) { return boolOf(button.state()); }
void setBoolState(ui::Button& button, std::optional<bool> state) { button.setState(controlStateOf(state)); }

void enableWithValue(ui::Button& button, int state)
{
    button.setState(ui::ControlState(state));
    button.setEnabled(true);
}

void disableWithValue(ui::Button& button, int state)
{
    button.setState(ui::ControlState(state));
    button.setEnabled(false);
}

void enableWithBool(ui::Button& button, std::optional<bool> state)
{
    setBoolState(button, state);
    button.setEnabled(true);
}

void disableWithBool(ui::Button& button, std::optional<bool> state)
{
    setBoolState(button, state);
    button.setEnabled(false);
}

std::shared_ptr<ui::TextField> labelFrame(const gfx::Rect& frame)
{
    auto field = core::make<ui::TextField>(frame);
    field->setBezeled(false);
    field->setDrawsBackground(false);
    field->setEditable(false);
    field->setSelectable(false);
    return field;
}

gfx::Font systemFontForControlSize(ui::ControlSize size) { return gfx::Font::system(ui::systemFontSize(size)); }

gfx::Color cgcolor(const ui::ColorWell& well) { return well.color(); }
void setCgcolor(ui::ColorWell& well, const gfx::Color& color) { well.setColor(color); }

}  // namespace kestrane
