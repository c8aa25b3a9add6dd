// Reads an archive written by KeyedArchiver. An absent key decodes as 0, false, nullopt or null; a value of
// another kind counts as absent. Unknown classes and corrupt archives (empty, truncated, random bytes) give a
// null object, never a crash. One unarchiver per object being decoded; used on one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/coding.h"
#include "platform/core/data.h"

namespace core {

class KeyedUnarchiver {
public:
    ~KeyedUnarchiver();
    KeyedUnarchiver(const KeyedUnarchiver&) = delete;
    KeyedUnarchiver& operator=(const KeyedUnarchiver&) = delete;

    // The root object, or null when the data is no archive of ours, its root is null or its class cannot be
    // decoded. A factory's exception also gives null.
    static std::shared_ptr<Coding> unarchiveObject(const Data& data);
    template <class T>
    static std::shared_ptr<T> unarchiveObject(const Data& data)
    {
        return std::dynamic_pointer_cast<T>(unarchiveObject(data));
    }

    bool contains(const std::string& key) const;

    // Null when absent, null, not an object, of an unknown class, or when its factory gives null.
    std::shared_ptr<Coding> decodeObject(const std::string& key);
    template <class T>
    std::shared_ptr<T> decodeObject(const std::string& key)
    {
        return std::dynamic_pointer_cast<T>(decodeObject(key));
    }
    // Nullopt when absent or not an array; an element that cannot be decoded is null.
    std::optional<std::vector<std::shared_ptr<Coding>>> decodeArray(const std::string& key);
    // Nullopt also when an element is not a T.
    template <class T>
    std::optional<std::vector<std::shared_ptr<T>>> decodeArray(const std::string& key)
    {
        const auto objects = decodeArray(key);
        if (!objects) return std::nullopt;
        std::vector<std::shared_ptr<T>> typed;
        for (const auto& object : *objects) {
            auto element = std::dynamic_pointer_cast<T>(object);
            if (!element) return std::nullopt;
            typed.push_back(std::move(element));
        }
        return typed;
    }
    std::int64_t decodeInt64(const std::string& key) const;
    double decodeDouble(const std::string& key) const;
    bool decodeBool(const std::string& key) const;
    std::optional<std::string> decodeString(const std::string& key) const;
    std::optional<Data> decodeData(const std::string& key) const;

    struct Fields;

private:
    friend struct UnarchiverAccess;
    KeyedUnarchiver(std::unique_ptr<Fields> fields, int depth);

    std::unique_ptr<Fields> fields_;
    int depth_;
};

}  // namespace core
