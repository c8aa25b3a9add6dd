#include "platform/ui/defaults_binding.h"

#include <cmath>
#include <vector>

#include "platform/core/dispatch_queue.h"
#include "platform/core/main_loop.h"
#include "platform/core/notification_center.h"
#include "platform/ui/number_formatter.h"

namespace ui {

namespace {

std::any shown(const std::optional<core::Value>& value)
{
    if (!value) return {};
    switch (value->kind()) {
    case core::Value::Kind::boolean:
        return *value->asBool();
    case core::Value::Kind::integer:
        return long(*value->asInt());
    case core::Value::Kind::real:
        return *value->asDouble();
    case core::Value::Kind::string:
        return *value->string();
    case core::Value::Kind::array: {
        std::vector<std::string> texts;
        for (const auto& item : *value->arrayPointer())
            if (auto string = item.string()) texts.push_back(*string);
        return texts;
    }
    default:
        return {};
    }
}

// The control's value in the kind `old` had; null when the control holds no value.
core::Value stored(const std::any& value, const std::optional<core::Value>& old)
{
    const auto kind = old ? old->kind() : core::Value::Kind::null;
    if (const auto* text = std::any_cast<std::string>(&value)) return *text;
    if (const auto* texts = std::any_cast<std::vector<std::string>>(&value)) {
        core::Array array;
        for (const auto& text : *texts)
            array.emplace_back(text);
        return array;
    }
    const auto* number = std::any_cast<double>(&value);
    if (!number) return nullptr;
    if (kind == core::Value::Kind::boolean) return *number != 0;
    // Only a number a 64-bit integer holds is rounded to one.
    if (kind == core::Value::Kind::integer && std::abs(*number) < 9223372036854775808.0)
        return std::int64_t(std::llround(*number));
    return *number;
}

// The key of the defaults as an observable key, for the control's value binding.
class DefaultsValue : public core::Observable {
public:
    DefaultsValue(std::shared_ptr<core::UserDefaults> defaults, std::string key,
                  const std::shared_ptr<Control>& control)
        : defaults_(std::move(defaults)), key_(std::move(key)), control_(control)
    {
        exposeKey(
            key_, [this] { return withinRange(shown(defaults_->object(key_))); },
            [this](const std::any& value) { store(value); });
    }
    ~DefaultsValue() override { core::NotificationCenter::defaultCenter().removeObserver(this); }

    void awake() override
    {
        std::weak_ptr<DefaultsValue> weak = sharedAs<DefaultsValue>();
        core::NotificationCenter::defaultCenter().addObserver(
            this, core::UserDefaults::didChangeNotification, nullptr, [weak](const core::Notification& note) {
                auto self = weak.lock();
                const auto key = note.userInfo.find("key");
                if (!self || key == note.userInfo.end()) return;
                const auto* changed = std::any_cast<std::string>(&key->second);
                if (!changed || *changed != self->key_) return;
                if (core::MainLoop::isMainThread()) return self->didChange(self->key_);
                core::DispatchQueue::main()->async([weak] {
                    if (auto self = weak.lock()) self->didChange(self->key_);
                });
            });
    }

private:
    // A stored number comes within the range of the control's formatter before the control uses it.
    std::any withinRange(std::any value) const
    {
        const auto control = control_.lock();
        const auto formatter = control ? control->formatter() : nullptr;
        if (!formatter) return value;
        if (const auto* integer = std::any_cast<long>(&value)) return formatter->clamp(double(*integer));
        if (const auto* real = std::any_cast<double>(&value)) return formatter->clamp(*real);
        return value;
    }

    // A value the defaults refuse (one they could not give back exactly) is not kept: the control shows again
    // the value that is.
    void store(const std::any& value)
    {
        if (!defaults_->set(key_, stored(value, defaults_->object(key_)))) didChange(key_);
    }

    std::shared_ptr<core::UserDefaults> defaults_;
    std::string key_;
    std::weak_ptr<Control> control_;
};

}  // namespace

void bindToDefaults(const std::shared_ptr<Control>& control, const std::string& key,
                    std::shared_ptr<core::UserDefaults> defaults)
{
    if (!control) return;
    if (!defaults) defaults = core::UserDefaults::standard();
    auto value = core::make<DefaultsValue>(std::move(defaults), key, control);
    control->bind(valueBinding, value, key);
}

}  // namespace ui
