// XML property lists (dict, array, string, integer, real, true, false, date, data) read into and written from
// core::Value. Reading is all or nothing: a malformed document gives nullopt, never part of a value.
#pragma once

#include <optional>

#include "platform/core/data.h"
#include "platform/core/url.h"
#include "platform/core/value.h"

namespace core {

class PropertyList {
public:
    // Whether the value can be written and read back exactly: no null anywhere, and every string (dictionary
    // keys too) valid UTF-8 made only of characters an XML document can hold (no NUL, no control character
    // other than tab, line feed and carriage return, no U+FFFE or U+FFFF).
    static bool canCarry(const Value& value);
    static bool canCarry(const std::string& text);

    static std::optional<Value> read(const Data& bytes);
    static std::optional<Value> read(const Url& url);

    // The document's bytes; nullopt when the value holds a null, which property lists cannot carry.
    // Reals are written in their shortest exact form, dates to the millisecond.
    static std::optional<Data> write(const Value& value);
    // Writes atomically (the old file or the whole new one, never a part); false on any failure.
    [[nodiscard]] static bool write(const Value& value, const Url& url);
};

}  // namespace core
