// Writes a tree of Coding objects and plain values by key into an archive that KeyedUnarchiver reads back
// exactly (doubles bit for bit). One archiver per object being encoded; used on one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/coding.h"
#include "platform/core/data.h"

namespace core {

class KeyedArchiver {
public:
    KeyedArchiver();
    ~KeyedArchiver();
    KeyedArchiver(const KeyedArchiver&) = delete;
    KeyedArchiver& operator=(const KeyedArchiver&) = delete;

    // The archive of `rootObject` (null archives a null root). Throws core::Error for object trees nested
    // deeper than an archive may be (a cycle among them).
    static Data archivedData(const std::shared_ptr<const Coding>& rootObject);

    // Writing a key again replaces its value.
    void encodeObject(const std::string& key, const std::shared_ptr<const Coding>& object);
    template <class Range>
    void encodeArray(const std::string& key, const Range& objects)
    {
        std::vector<std::shared_ptr<const Coding>> elements;
        for (const auto& object : objects)
            elements.push_back(object);
        encodeObjects(key, elements);
    }
    void encodeInt64(const std::string& key, std::int64_t value);
    void encodeDouble(const std::string& key, double value);
    void encodeBool(const std::string& key, bool value);
    void encodeString(const std::string& key, const std::string& value);
    void encodeData(const std::string& key, const Data& value);

    struct Fields;

private:
    explicit KeyedArchiver(int depth);
    void encodeObjects(const std::string& key, const std::vector<std::shared_ptr<const Coding>>& objects);

    std::unique_ptr<Fields> fields_;
    int depth_ = 0;
};

}  // namespace core
