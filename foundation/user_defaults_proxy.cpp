#include "foundation/user_defaults_proxy.h"

#include <limits>

namespace kestrane {

std::optional<core::Value> objectForKeyedSubscript(const core::UserDefaults& defaults, const std::string& key)
{
    return defaults.object(key);
}

UserDefaults::Proxy subscript(const std::shared_ptr<core::UserDefaults>& defaults, const std::string& key)
{
    return UserDefaults::Proxy(defaults, key);
}

namespace UserDefaults {

Proxy::Proxy(std::shared_ptr<core::UserDefaults> defaults, std::string key)
    : defaults_(std::move(defaults)), key_(std::move(key))
{
}

std::optional<core::Value> Proxy::object() const { return defaults_->object(key_); }

std::optional<std::string> Proxy::string() const { return defaults_->string(key_); }

std::optional<core::Array> Proxy::array() const { return defaults_->array(key_); }

std::optional<std::vector<std::string>> Proxy::strings() const
{
    const auto elements = array();
    if (!elements) return std::nullopt;
    std::vector<std::string> texts;
    for (const auto& element : *elements) {
        auto text = element.string();
        if (!text) return std::nullopt;
        texts.push_back(std::move(*text));
    }
    return texts;
}

std::optional<core::Dictionary> Proxy::dictionary() const { return defaults_->dictionary(key_); }

std::optional<core::Data> Proxy::data() const { return defaults_->data(key_); }

std::optional<core::Date> Proxy::date() const { return defaults_->date(key_); }

std::optional<core::Value> Proxy::number() const
{
    auto value = object();
    if (!value || !value->isNumber()) return std::nullopt;
    return value;
}

std::optional<std::int64_t> Proxy::intValue() const
{
    const auto value = number();
    return value ? value->asInt() : std::nullopt;
}

std::optional<double> Proxy::doubleValue() const
{
    const auto value = number();
    return value ? value->asDouble() : std::nullopt;
}

std::optional<double> Proxy::cgfloat() const { return doubleValue(); }

std::optional<bool> Proxy::boolValue() const
{
    const auto value = number();
    return value ? value->asBool() : std::nullopt;
}

void Proxy::addInteger(std::int64_t amount) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(intValue().value_or(0), amount, &sum))
        sum = amount > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    *this = sum;
}

void Proxy::addReal(double amount) const { *this = doubleValue().value_or(0) + amount; }

}  // namespace UserDefaults

}  // namespace kestrane
