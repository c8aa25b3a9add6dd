#include "foundation/string_extensions.h"

#include <algorithm>
#include <vector>

#include "foundation/character_extensions.h"
#include "platform/core/case_mapping.h"
#include "platform/core/character_set.h"
#include "platform/core/graphemes.h"
#include "platform/core/home_folder.h"

namespace kestrane {

namespace {

const std::string Ellipsis = "...";

// The characters of a text: where each begins, in bytes, with the text's end last.
class Characters {
public:
    explicit Characters(const std::string& text) : text_(text), bounds_(core::graphemeBoundaries(text)) {}

    std::ptrdiff_t count() const { return static_cast<std::ptrdiff_t>(bounds_.size()) - 1; }
    std::size_t offset(std::ptrdiff_t n) const { return bounds_[static_cast<std::size_t>(clamp(n))]; }
    ByteRange bytes(CharacterRange range) const
    {
        const std::ptrdiff_t lower = clamp(range.lower);
        return {offset(lower), offset(std::max(lower, clamp(range.upper)))};
    }
    std::string slice(CharacterRange range) const
    {
        const ByteRange r = bytes(range);
        return text_.substr(r.lower, r.upper - r.lower);
    }
    std::string first(std::ptrdiff_t n) const { return slice({0, n}); }
    std::string last(std::ptrdiff_t n) const { return slice({count() - std::max<std::ptrdiff_t>(n, 0), count()}); }
    std::string at(std::ptrdiff_t i) const { return slice({i, i + 1}); }

private:
    std::ptrdiff_t clamp(std::ptrdiff_t n) const { return std::clamp<std::ptrdiff_t>(n, 0, count()); }

    const std::string& text_;
    std::vector<std::size_t> bounds_;
};

// A single digit character "0" to "9" gives its value.
std::optional<int> digitValue(const std::string& character)
{
    if (character.size() != 1) return std::nullopt;
    return intValue(static_cast<char32_t>(static_cast<unsigned char>(character[0])));
}

}  // namespace

std::string incremented(const std::string& text)
{
    const Characters characters(text);
    const std::ptrdiff_t n = characters.count();
    if (n >= 5 && characters.at(n - 4) == " " && characters.at(n - 3) == "(" && characters.at(n - 1) == ")") {
        if (const auto digit = digitValue(characters.at(n - 2)))
            return characters.first(n - 4) + " (" + std::to_string(*digit + 1) + ")";
    }
    return text + " (1)";
}

std::string trimmed(const std::string& text) { return core::trimming(text, core::CharacterSet::whitespaces()); }

std::string decapitalized(const std::string& text)
{
    const Characters characters(text);
    return core::lowercased(characters.first(1)) + characters.slice({1, characters.count()});
}

std::string abreviatedTilde(const std::string& text) { return core::abbreviatingWithTilde(text); }

std::size_t startIntIndexToStringIndex(const std::string& text, std::ptrdiff_t n) { return Characters(text).offset(n); }

std::size_t endIntIndexToStringIndex(const std::string& text, std::ptrdiff_t n)
{
    const Characters characters(text);
    return characters.offset(characters.count() - std::max<std::ptrdiff_t>(n, 0));
}

ByteRange rangeToStringRange(const std::string& text, CharacterRange range) { return Characters(text).bytes(range); }

void insert(std::string& text, const std::string& character, std::ptrdiff_t at)
{
    text.insert(Characters(text).offset(at), character);
}

std::string removeAt(std::string& text, std::ptrdiff_t at)
{
    const Characters characters(text);
    if (at < 0 || at >= characters.count()) return "";
    const ByteRange bytes = characters.bytes({at, at + 1});
    std::string removed = text.substr(bytes.lower, bytes.upper - bytes.lower);
    text.erase(bytes.lower, bytes.upper - bytes.lower);
    return removed;
}

std::string removeFirstChar(std::string& text) { return removeAt(text, 0); }

std::string removeLastChar(std::string& text) { return removeAt(text, Characters(text).count() - 1); }

void removeSubrange(std::string& text, CharacterRange range)
{
    const ByteRange bytes = Characters(text).bytes(range);
    text.erase(bytes.lower, bytes.upper - bytes.lower);
}

std::string substringWith(const std::string& text, CharacterRange range) { return Characters(text).slice(range); }

std::string substringTo(const std::string& text, std::ptrdiff_t n) { return Characters(text).first(n); }

std::string substringFrom(const std::string& text, std::ptrdiff_t n)
{
    const Characters characters(text);
    return characters.slice({n, characters.count()});
}

std::string safeSubstringTo(const std::string& text, std::ptrdiff_t n) { return substringTo(text, n); }

std::string safeSubstringFrom(const std::string& text, std::ptrdiff_t n) { return substringFrom(text, n); }

std::string reducedStringAtStart(const std::string& text, std::ptrdiff_t n)
{
    const Characters characters(text);
    if (characters.count() <= n) return text;
    if (n < 3) return characters.last(n);
    return Ellipsis + characters.last(n - 3);
}

std::string reducedStringAtMiddle(const std::string& text, std::ptrdiff_t n)
{
    const Characters characters(text);
    if (characters.count() <= n) return text;
    if (n < 3) return characters.first(n);
    const std::ptrdiff_t kept = n - 3;
    return characters.first(kept - kept / 2) + Ellipsis + characters.last(kept / 2);
}

std::string reducedStringAtEnd(const std::string& text, std::ptrdiff_t n)
{
    const Characters characters(text);
    if (characters.count() <= n) return text;
    if (n < 3) return characters.first(n);
    return characters.first(n - 3) + Ellipsis;
}

}  // namespace kestrane
