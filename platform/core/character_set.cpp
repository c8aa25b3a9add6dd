#include "platform/core/character_set.h"

#include <QChar>
#include <QList>
#include <QString>
#include <algorithm>
#include <memory>
#include <vector>

namespace core {

namespace {

bool isWhitespace(char32_t c) { return c == U'\t' || QChar::category(c) == QChar::Separator_Space; }

bool isNewline(char32_t c) { return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029; }

std::vector<char32_t> codePoints(std::string_view text)
{
    const QList<uint> units = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4();
    return std::vector<char32_t>(units.begin(), units.end());
}

}  // namespace

CharacterSet CharacterSet::whitespaces() { return CharacterSet(isWhitespace); }

CharacterSet CharacterSet::newlines() { return CharacterSet(isNewline); }

CharacterSet CharacterSet::whitespacesAndNewlines()
{
    return CharacterSet([](char32_t c) { return isWhitespace(c) || isNewline(c); });
}

CharacterSet CharacterSet::charactersIn(std::string_view characters)
{
    auto members = std::make_shared<std::vector<char32_t>>(codePoints(characters));
    std::sort(members->begin(), members->end());
    return CharacterSet([members](char32_t c) { return std::binary_search(members->begin(), members->end(), c); });
}

std::string trimming(const std::string& text, const CharacterSet& set)
{
    const std::vector<char32_t> points = codePoints(text);
    auto first = std::find_if(points.begin(), points.end(), [&](char32_t c) { return !set.contains(c); });
    auto last = std::find_if(points.rbegin(), std::make_reverse_iterator(first), [&](char32_t c) {
                    return !set.contains(c);
                }).base();
    const auto kept = QString::fromUcs4(first == last ? nullptr : &*first, last - first);
    return kept.toStdString();
}

}  // namespace core
