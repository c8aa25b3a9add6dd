#include "platform/core/value.h"

#include <QDateTime>
#include <QTimeZone>
#include <charconv>
#include <cmath>

namespace core {

Dictionary::Dictionary(std::initializer_list<Entry> entries)
{
    for (const auto& [key, value] : entries)
        set(key, value);
}

const Value* Dictionary::find(const std::string& key) const
{
    for (const auto& entry : entries_) {
        if (entry.first == key) return &entry.second;
    }
    return nullptr;
}

void Dictionary::set(const std::string& key, Value value)
{
    for (auto& entry : entries_) {
        if (entry.first == key) {
            entry.second = std::move(value);
            return;
        }
    }
    entries_.emplace_back(key, std::move(value));
}

bool Dictionary::remove(const std::string& key)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->first == key) {
            entries_.erase(it);
            return true;
        }
    }
    return false;
}

std::vector<std::string> Dictionary::keys() const
{
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const auto& entry : entries_)
        keys.push_back(entry.first);
    return keys;
}

bool operator==(const Dictionary& a, const Dictionary& b)
{
    if (a.size() != b.size()) return false;
    for (const auto& [key, value] : a) {
        const Value* other = b.find(key);
        if (!other || !(*other == value)) return false;
    }
    return true;
}

bool Value::isNumber() const { return kind() == Kind::boolean || kind() == Kind::integer || kind() == Kind::real; }

std::optional<std::int64_t> Value::asInt() const
{
    if (const auto* flag = std::get_if<bool>(&storage_)) return *flag ? 1 : 0;
    if (const auto* integer = std::get_if<std::int64_t>(&storage_)) return *integer;
    if (const auto* real = std::get_if<double>(&storage_)) {
        if (std::isnan(*real)) return 0;
        if (*real >= 9223372036854775807.0) return INT64_MAX;
        if (*real <= -9223372036854775808.0) return INT64_MIN;
        return static_cast<std::int64_t>(*real);
    }
    return std::nullopt;
}

std::optional<double> Value::asDouble() const
{
    if (const auto* flag = std::get_if<bool>(&storage_)) return *flag ? 1.0 : 0.0;
    if (const auto* integer = std::get_if<std::int64_t>(&storage_)) return double(*integer);
    if (const auto* real = std::get_if<double>(&storage_)) return *real;
    return std::nullopt;
}

std::optional<bool> Value::asBool() const
{
    if (const auto* flag = std::get_if<bool>(&storage_)) return *flag;
    if (const auto* integer = std::get_if<std::int64_t>(&storage_)) return *integer != 0;
    if (const auto* real = std::get_if<double>(&storage_)) return *real != 0.0;
    return std::nullopt;
}

namespace {
template <class T, class Variant>
std::optional<T> exactly(const Variant& storage)
{
    if (const auto* value = std::get_if<T>(&storage)) return *value;
    return std::nullopt;
}
}  // namespace

std::optional<std::string> Value::string() const { return exactly<std::string>(storage_); }
std::optional<Date> Value::date() const { return exactly<Date>(storage_); }
std::optional<Data> Value::data() const { return exactly<Data>(storage_); }
std::optional<Array> Value::array() const { return exactly<Array>(storage_); }
std::optional<Dictionary> Value::dictionary() const { return exactly<Dictionary>(storage_); }

std::string numberText(double value)
{
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Value::description() const
{
    switch (kind()) {
    case Kind::null:
        return "null";
    case Kind::boolean:
        return std::get<bool>(storage_) ? "1" : "0";
    case Kind::integer:
        return std::to_string(std::get<std::int64_t>(storage_));
    case Kind::real:
        return numberText(std::get<double>(storage_));
    case Kind::string:
        return std::get<std::string>(storage_);
    case Kind::date:
        return QDateTime::fromSecsSinceEpoch(
                   static_cast<qint64>(std::floor(std::get<Date>(storage_).timeIntervalSince1970())), QTimeZone::utc())
            .toString("yyyy-MM-dd HH:mm:ss +0000")
            .toStdString();
    case Kind::data:
        return "<" + std::to_string(std::get<Data>(storage_).size()) + " bytes>";
    case Kind::array: {
        std::string text = "(";
        for (const auto& element : std::get<Array>(storage_)) {
            text += (text.size() > 1 ? ", " : "") + element.description();
        }
        return text + ")";
    }
    case Kind::dictionary: {
        std::string text = "{";
        for (const auto& [key, element] : std::get<Dictionary>(storage_)) {
            text += (text.size() > 1 ? "; " : "") + key + " = " + element.description();
        }
        return text + "}";
    }
    }
    return {};
}

}  // namespace core
