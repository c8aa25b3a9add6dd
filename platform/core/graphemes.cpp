#include "platform/core/graphemes.h"

#include <QString>
#include <QTextBoundaryFinder>

namespace core {

namespace {

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

// The code point starting at `at`; an invalid or truncated sequence gives U+FFFD for its first byte.
Decoded decodeUTF8(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t point = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, minimum = 0x10000;
    } else {
        return {0xFFFD, 1};
    }
    if (at + length > text.size()) return {0xFFFD, 1};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return {0xFFFD, 1};
        point = (point << 6) | (byte(at + i) & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return {0xFFFD, 1};
    return {point, length};
}

}  // namespace

std::vector<std::size_t> graphemeBoundaries(std::string_view text)
{
    QString utf16;
    std::vector<std::size_t> byteOffsetOfUnit;  // UTF-16 index -> byte offset
    for (std::size_t at = 0; at < text.size();) {
        const Decoded decoded = decodeUTF8(text, at);
        const char32_t point[] = {decoded.codePoint};
        const QString units = QString::fromUcs4(point, 1);
        for (qsizetype i = 0; i < units.size(); ++i)
            byteOffsetOfUnit.push_back(at);
        utf16 += units;
        at += decoded.length;
    }
    byteOffsetOfUnit.push_back(text.size());

    std::vector<std::size_t> boundaries{0};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, utf16);
    for (qsizetype position = finder.toNextBoundary(); position > 0; position = finder.toNextBoundary())
        boundaries.push_back(byteOffsetOfUnit[static_cast<std::size_t>(position)]);
    if (boundaries.back() != text.size()) boundaries.push_back(text.size());
    return boundaries;
}

}  // namespace core
