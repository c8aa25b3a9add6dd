// Text helpers: numbered copies of names ("clip (2)"), trimming, case, "~" paths, and editing and cutting
// text by character offsets. Texts are UTF-8; every count and offset is in user-perceived characters
// (grapheme clusters), never bytes. Offsets outside the text are clamped to it: nothing here fails.
#pragma once

#include <cstddef>
#include <string>

namespace kestrane {

// A range of character offsets [lower, upper).
struct CharacterRange {
    std::ptrdiff_t lower;
    std::ptrdiff_t upper;
};

// A range of byte offsets into the UTF-8 text [lower, upper).
struct ByteRange {
    std::size_t lower;
    std::size_t upper;
    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// "name (d)" with one digit d becomes "name (d+1)"; anything else gets " (1)" appended.
std::string incremented(const std::string& text);
// Without spaces and tabs at both ends; line breaks stay.
std::string trimmed(const std::string& text);
// The first character lower-cased, the rest unchanged.
std::string decapitalized(const std::string& text);
// The path with a leading home folder written as "~".
std::string abreviatedTilde(const std::string& text);

// The byte offset n characters after the start, or n characters before the end.
std::size_t startIntIndexToStringIndex(const std::string& text, std::ptrdiff_t n);
std::size_t endIntIndexToStringIndex(const std::string& text, std::ptrdiff_t n);
ByteRange rangeToStringRange(const std::string& text, CharacterRange range);

// Inserts `character` before the character at the offset (the character count appends).
void insert(std::string& text, const std::string& character, std::ptrdiff_t at);
// Removes and returns the character at the offset; "" (and nothing removed) outside the text.
std::string removeAt(std::string& text, std::ptrdiff_t at);
std::string removeFirstChar(std::string& text);
std::string removeLastChar(std::string& text);
void removeSubrange(std::string& text, CharacterRange range);

std::string substringWith(const std::string& text, CharacterRange range);
// The characters before, or from, the offset.
std::string substringTo(const std::string& text, std::ptrdiff_t n);
std::string substringFrom(const std::string& text, std::ptrdiff_t n);
std::string safeSubstringTo(const std::string& text, std::ptrdiff_t n);
std::string safeSubstringFrom(const std::string& text, std::ptrdiff_t n);

// Texts longer than n characters shortened to exactly n with "..." at the start, in the middle or at the
// end; shorter texts come back unchanged. Below 3, where "..." does not fit, the first (for the start
// form the last) n characters.
std::string reducedStringAtStart(const std::string& text, std::ptrdiff_t n);
std::string reducedStringAtMiddle(const std::string& text, std::ptrdiff_t n);
std::string reducedStringAtEnd(const std::string& text, std::ptrdiff_t n);

}  // namespace kestrane
