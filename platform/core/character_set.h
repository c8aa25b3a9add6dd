// Sets of Unicode characters that scanning and trimming test against, and trimming itself.
// A value type, safe to share between threads.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace core {

class CharacterSet {
public:
    // Spaces (Unicode general category Zs) and the tab.
    static CharacterSet whitespaces();
    // Line and paragraph breaks: U+000A to U+000D, U+0085, U+2028, U+2029.
    static CharacterSet newlines();
    static CharacterSet whitespacesAndNewlines();
    // The characters of a UTF-8 text.
    static CharacterSet charactersIn(std::string_view characters);

    bool contains(char32_t c) const { return test_(c); }

private:
    explicit CharacterSet(std::function<bool(char32_t)> test) : test_(std::move(test)) {}

    std::function<bool(char32_t)> test_;
};

// The text without the characters of the set at its start and its end.
std::string trimming(const std::string& text, const CharacterSet& set);

}  // namespace core
