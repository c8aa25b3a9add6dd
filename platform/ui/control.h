// A view that shows and edits a value and sends its action to its target (or along the responder chain when
// it has none) when the user changes it. The value reads as a number or as text; a number formatter limits and
// formats it; a binding keeps it in step with a key of an observable object. Main thread only.
#pragma once

#include <any>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/event.h"
#include "platform/ui/view.h"

namespace ui {

class NumberFormatter;

enum class ControlSize { regular = 0, small = 1, mini = 2 };

// The name of a control's value binding.
inline const std::string valueBinding = "value";

struct BindingInfo {
    std::shared_ptr<core::Observable> observedObject;
    std::string observedKeyPath;
};

class Control : public View {
public:
    struct Impl;
    explicit Control(const gfx::Rect& frame = {});
    ~Control() override;
    void awake() override;

    double doubleValue() const;
    void setDoubleValue(double value);
    float floatValue() const { return float(doubleValue()); }
    void setFloatValue(float value) { setDoubleValue(value); }
    long integerValue() const;
    void setIntegerValue(long value) { setDoubleValue(double(value)); }
    int intValue() const { return int(integerValue()); }
    void setIntValue(int value) { setDoubleValue(value); }
    std::string stringValue() const;
    void setStringValue(const std::string& value);
    // A double, a long, an int, a bool or a string; anything else reads as no value. Controls whose value is
    // of another kind (a token field's list) answer and take that kind.
    virtual std::any objectValue() const;
    virtual void setObjectValue(const std::any& value);

    bool isEnabled() const;
    virtual void setEnabled(bool enabled);
    std::shared_ptr<Responder> target() const;
    void setTarget(const std::shared_ptr<Responder>& target);
    Action action() const;
    void setAction(const Action& action);
    long tag() const;
    void setTag(long tag);
    // The kinds of event that send the action (leftMouseUp by default, or leftMouseDown); gives the old mask.
    EventMask sendActionOn(EventMask mask);
    EventMask actionMask() const;
    bool isContinuous() const;
    void setContinuous(bool continuous);
    // Sends `action` to `target` through the application; true when a responder performed it.
    bool sendAction(const Action& action, const std::shared_ptr<Responder>& target);

    std::shared_ptr<NumberFormatter> formatter() const;
    void setFormatter(const std::shared_ptr<NumberFormatter>& formatter);
    ControlSize controlSize() const;
    void setControlSize(ControlSize size);
    // A control that refuses first responder status never takes the keyboard: clicks work, keys go on to
    // the window. False unless set.
    bool refusesFirstResponder() const;
    void setRefusesFirstResponder(bool refuses);

    // Keeps the control's value and `keyPath` of `object` in step: the object's changes show in the control,
    // the user's edits are written to the object.
    void bind(const std::string& binding, const std::shared_ptr<core::Observable>& object, const std::string& keyPath);
    void unbind(const std::string& binding);
    std::optional<BindingInfo> infoForBinding(const std::string& binding) const;

    Impl& controlImpl() { return *impl_; }

protected:
    // Shows the value in the control's widget; subclasses override.
    virtual void valueDidChange() {}
    // For subclasses: the user changed the value; stores it, writes it through the binding, sends the action.
    void userChangedValue(const std::any& value, bool sendsAction = true);

private:
    void storeValue(const std::any& value);
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
