// Reads strings and numbers off the front of a text, one piece after another. Locations count UTF-16
// units. Before each piece the characters of `charactersToBeSkipped` are passed over (whitespace and line
// breaks unless changed); a scan that fails moves nothing. Text comparisons ignore case unless
// `caseSensitive` is set. Numbers are read with "." as decimal mark whatever the locale. A scanner serves
// one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/character_set.h"

namespace core {

class Scanner {
public:
    explicit Scanner(std::string_view text);

    std::string string() const;
    std::size_t scanLocation() const { return location_; }
    // Moves to the location, or to the end when it lies beyond.
    void setScanLocation(std::size_t location);
    const std::optional<CharacterSet>& charactersToBeSkipped() const { return skipped_; }
    void setCharactersToBeSkipped(std::optional<CharacterSet> set) { skipped_ = std::move(set); }
    bool caseSensitive() const { return caseSensitive_; }
    void setCaseSensitive(bool flag) { caseSensitive_ = flag; }
    // True when only characters to be skipped are left.
    bool isAtEnd() const;

    // Each returns true and stores what it read when `into` is not null, or returns false and leaves the
    // location where it was.
    bool scanCharactersFromSet(const CharacterSet& set, std::string* into);
    bool scanUpToCharactersFromSet(const CharacterSet& set, std::string* into);
    bool scanString(std::string_view text, std::string* into);
    bool scanUpToString(std::string_view text, std::string* into);

    // Decimal numbers: [sign] digits ["." digits] [exponent]; integers: [sign] digits, clamped to the
    // type's range when too large.
    bool scanDouble(double* into);
    bool scanFloat(float* into);
    bool scanInteger(std::int64_t* into);
    bool scanInt(std::int32_t* into);
    bool scanLongLong(std::int64_t* into);
    bool scanUnsignedLongLong(std::uint64_t* into);
    // Hexadecimal: integers as ["0x"] hex digits, clamped; reals as [sign] "0x" hex digits ["." hex digits]
    // ["p" [sign] digits].
    bool scanHexInt(std::uint32_t* into);
    bool scanHexLongLong(std::uint64_t* into);
    bool scanHexDouble(double* into);
    bool scanHexFloat(float* into);

private:
    std::size_t skipFrom(std::size_t at) const;
    char32_t codePointAt(std::size_t at, std::size_t* units) const;
    char16_t unitAt(std::size_t at) const { return at < text_.size() ? text_[at] : u'\0'; }
    // The ASCII text of a number starting at the skipped location; "" when none is there.
    std::string decimalText(std::size_t at, bool integerOnly) const;
    std::string hexRealText(std::size_t at) const;
    bool scanSignedDecimal(std::int64_t lowest, std::int64_t highest, std::int64_t* into);
    bool scanHexDigits(std::uint64_t highest, std::uint64_t* into);
    template <class Real>
    bool scanReal(bool hexadecimal, Real* into);

    std::u16string text_;
    std::size_t location_ = 0;
    std::optional<CharacterSet> skipped_;
    bool caseSensitive_ = false;
};

}  // namespace core
