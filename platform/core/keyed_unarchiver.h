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

    // Whether a registered class may be decoded where the caller expects something (CodingRegistry::isA<T>);
    // null accepts every class.
    using Expected = bool (*)(CodingRegistry::Probe);

    // The root object, or null when the data is no archive of ours, its root is null, its class cannot be
    // decoded or is not what `expected` accepts (then its factory is never run). A factory's exception also
    // gives null.
    static std::shared_ptr<Coding> unarchiveObject(const Data& data, Expected expected = nullptr);
    template <class T>
    static std::shared_ptr<T> unarchiveObject(const Data& data)
    {
        return std::dynamic_pointer_cast<T>(unarchiveObject(data, &CodingRegistry::isA<T>));
    }

    bool contains(const std::string& key) const;

    // Null when absent, null, not an object, of an unknown class or one `expected` refuses, or when its
    // factory gives null. Only objects of the expected class are ever decoded.
    std::shared_ptr<Coding> decodeObject(const std::string& key, Expected expected = nullptr);
    template <class T>
    std::shared_ptr<T> decodeObject(const std::string& key)
    {
        return std::dynamic_pointer_cast<T>(decodeObject(key, &CodingRegistry::isA<T>));
    }
    // Nullopt when absent or not an array; an element that cannot be decoded, or that `expected` refuses, is
    // null.
    std::optional<std::vector<std::shared_ptr<Coding>>> decodeArray(const std::string& key,
                                                                    Expected expected = nullptr);
    // Nullopt also when an element is not a T.
    template <class T>
    std::optional<std::vector<std::shared_ptr<T>>> decodeArray(const std::string& key)
    {
        const auto objects = decodeEach<T>(key);
        if (!objects) return std::nullopt;
        for (const auto& object : *objects)
            if (!object) return std::nullopt;
        return objects;
    }
    // Nullopt when absent or not an array; an element that is not a T, or cannot be decoded, is null.
    template <class T>
    std::optional<std::vector<std::shared_ptr<T>>> decodeEach(const std::string& key)
    {
        const auto objects = decodeArray(key, &CodingRegistry::isA<T>);
        if (!objects) return std::nullopt;
        std::vector<std::shared_ptr<T>> typed;
        for (const auto& object : *objects)
            typed.push_back(std::dynamic_pointer_cast<T>(object));
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
