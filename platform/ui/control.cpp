#include "platform/ui/control.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <variant>

#include "platform/core/main_thread.h"
#include "platform/ui/application.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/number_formatter.h"

namespace ui {

namespace {

using Stored = std::variant<std::monostate, double, std::string>;

std::optional<double> numberIn(const std::any& value)
{
    if (auto* d = std::any_cast<double>(&value)) return *d;
    if (auto* f = std::any_cast<float>(&value)) return double(*f);
    if (auto* i = std::any_cast<int>(&value)) return double(*i);
    if (auto* l = std::any_cast<long>(&value)) return double(*l);
    if (auto* ll = std::any_cast<long long>(&value)) return double(*ll);
    if (auto* b = std::any_cast<bool>(&value)) return *b ? 1.0 : 0.0;
    return std::nullopt;
}

std::string shortest(double value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

double parse(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos) return 0;
    const char* begin = text.data() + first;
    if (*begin == '+') ++begin;
    double value = 0;
    auto result = std::from_chars(begin, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

}  // namespace

struct Control::Impl {
    Stored value;
    bool enabled = true;
    std::weak_ptr<Responder> target;
    Action action;
    long tag = 0;
    EventMask mask = eventMaskFor(EventType::leftMouseUp);
    bool continuous = false;
    std::shared_ptr<NumberFormatter> formatter;
    ControlSize size = ControlSize::regular;
    bool refusesFirstResponder = false;
    Qt::FocusPolicy widgetFocusPolicy = Qt::NoFocus;  // what the widget takes by its kind
    struct Binding {
        BindingInfo info;
        core::ObservationId id;
    };
    std::map<std::string, Binding> bindings;
    QPointer<QWidget> widget;
};

Control::Control(const gfx::Rect& frame) : View(frame), impl_(std::make_unique<Impl>()) {}

Control::~Control()
{
    for (auto& [name, binding] : impl_->bindings)
        binding.info.observedObject->removeObserver(binding.id);
}

void Control::awake()
{
    View::awake();
    auto expose = [this](const std::string& key, Getter getter, std::function<void(const std::any&)> set) {
        exposeKey(key, std::move(getter), [this, key, set](const std::any& v) {
            set(v);
            didChange(key);
        });
    };
    expose(
        "doubleValue", [this] { return std::any(doubleValue()); },
        [this](const std::any& v) { setDoubleValue(numberIn(v).value_or(0)); });
    expose(
        "floatValue", [this] { return std::any(floatValue()); },
        [this](const std::any& v) { setDoubleValue(numberIn(v).value_or(0)); });
    expose(
        "integerValue", [this] { return std::any(integerValue()); },
        [this](const std::any& v) { setDoubleValue(numberIn(v).value_or(0)); });
    expose(
        "stringValue", [this] { return std::any(stringValue()); }, [this](const std::any& v) { setObjectValue(v); });
    expose(
        "objectValue", [this] { return objectValue(); }, [this](const std::any& v) { setObjectValue(v); });
    expose(
        "enabled", [this] { return std::any(isEnabled()); },
        [this](const std::any& v) { setEnabled(numberIn(v).value_or(0) != 0); });
}

double Control::doubleValue() const
{
    if (auto* d = std::get_if<double>(&impl_->value)) return *d;
    if (auto* s = std::get_if<std::string>(&impl_->value)) return parse(*s);
    return 0;
}

void Control::setDoubleValue(double value)
{
    core::assertMainThread();
    storeValue(value);
    valueDidChange();
}

long Control::integerValue() const
{
    // Saturates: a value beyond what a long holds (a stored 1e300) gives the nearest one that it does.
    static constexpr double past = 9223372036854775808.0;  // 2^63, the first double above every long
    const double value = doubleValue();
    if (std::isnan(value)) return 0;
    if (value >= past) return std::numeric_limits<long>::max();
    if (value < -past) return std::numeric_limits<long>::min();
    return long(value);
}

std::string Control::stringValue() const
{
    if (auto* s = std::get_if<std::string>(&impl_->value)) return *s;
    if (auto* d = std::get_if<double>(&impl_->value))
        return impl_->formatter ? impl_->formatter->stringFromNumber(*d) : shortest(*d);
    return {};
}

void Control::setStringValue(const std::string& value)
{
    core::assertMainThread();
    storeValue(value);
    valueDidChange();
}

std::any Control::objectValue() const
{
    if (auto* d = std::get_if<double>(&impl_->value)) return *d;
    if (auto* s = std::get_if<std::string>(&impl_->value)) return *s;
    return {};
}

void Control::setObjectValue(const std::any& value)
{
    core::assertMainThread();
    storeValue(value);
    valueDidChange();
}

void Control::storeValue(const std::any& value)
{
    if (auto number = numberIn(value))
        impl_->value = *number;
    else if (auto* s = std::any_cast<std::string>(&value))
        impl_->value = *s;
    else if (auto* c = std::any_cast<const char*>(&value))
        impl_->value = std::string(*c ? *c : "");
    else
        impl_->value = std::monostate{};
}

bool Control::isEnabled() const { return impl_->enabled; }

void Control::setEnabled(bool enabled)
{
    core::assertMainThread();
    impl_->enabled = enabled;
    if (impl_->widget) impl_->widget->setEnabled(enabled);
}

bool Control::refusesFirstResponder() const { return impl_->refusesFirstResponder; }

void Control::setRefusesFirstResponder(bool refuses)
{
    impl_->refusesFirstResponder = refuses;
    if (impl_->widget) impl_->widget->setFocusPolicy(refuses ? Qt::NoFocus : impl_->widgetFocusPolicy);
}

std::shared_ptr<Responder> Control::target() const { return impl_->target.lock(); }
void Control::setTarget(const std::shared_ptr<Responder>& target) { impl_->target = target; }
Action Control::action() const { return impl_->action; }
void Control::setAction(const Action& action) { impl_->action = action; }
long Control::tag() const { return impl_->tag; }
void Control::setTag(long tag) { impl_->tag = tag; }

EventMask Control::sendActionOn(EventMask mask)
{
    const EventMask old = impl_->mask;
    impl_->mask = mask;
    return old;
}

EventMask Control::actionMask() const { return impl_->mask; }
bool Control::isContinuous() const { return impl_->continuous; }
void Control::setContinuous(bool continuous) { impl_->continuous = continuous; }

bool Control::sendAction(const Action& action, const std::shared_ptr<Responder>& target)
{
    core::assertMainThread();
    if (action.empty()) return false;
    return Application::shared()->sendAction(action, target, sharedAs<Control>());
}

std::shared_ptr<NumberFormatter> Control::formatter() const { return impl_->formatter; }

void Control::setFormatter(const std::shared_ptr<NumberFormatter>& formatter)
{
    impl_->formatter = formatter;
    valueDidChange();
}

ControlSize Control::controlSize() const { return impl_->size; }
void Control::setControlSize(ControlSize size) { impl_->size = size; }

void Control::bind(const std::string& binding, const std::shared_ptr<core::Observable>& object,
                   const std::string& keyPath)
{
    unbind(binding);
    if (!object) return;
    std::weak_ptr<Control> weak = sharedAs<Control>();
    const auto id = object->addObserver(
        keyPath,
        [weak, binding](const core::KeyValueChange& change) {
            auto control = weak.lock();
            if (!control) return;
            if (binding == valueBinding)
                control->setObjectValue(change.newValue);
            else if (binding == "enabled")
                control->setEnabled(numberIn(change.newValue).value_or(0) != 0);
        },
        core::ObserveOptions::newValue | core::ObserveOptions::initial);
    impl_->bindings[binding] = {{object, keyPath}, id};
}

void Control::unbind(const std::string& binding)
{
    auto found = impl_->bindings.find(binding);
    if (found == impl_->bindings.end()) return;
    found->second.info.observedObject->removeObserver(found->second.id);
    impl_->bindings.erase(found);
}

std::optional<BindingInfo> Control::infoForBinding(const std::string& binding) const
{
    auto found = impl_->bindings.find(binding);
    if (found == impl_->bindings.end()) return std::nullopt;
    return found->second.info;
}

void Control::userChangedValue(const std::any& value, bool sendsAction)
{
    storeValue(value);
    if (auto info = infoForBinding(valueBinding))
        info->observedObject->setValueForKey(info->observedKeyPath, objectValue());
    if (sendsAction) sendAction(action(), target());
}

void setControlWidget(Control& control, QWidget* widget)
{
    control.controlImpl().widget = widget;
    if (auto* host = static_cast<HostWidget*>(widgetOf(control))) host->setFill(widget);
    if (!widget) return;
    widget->setEnabled(control.isEnabled());
    control.controlImpl().widgetFocusPolicy = widget->focusPolicy();
    if (control.refusesFirstResponder()) widget->setFocusPolicy(Qt::NoFocus);
}

QWidget* controlWidget(Control& control) { return control.controlImpl().widget; }

}  // namespace ui
