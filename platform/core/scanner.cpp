#include "platform/core/scanner.h"

#include <QString>
#include <QStringView>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace core {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool isHexDigit(char16_t c) { return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

unsigned digitValue(char16_t c)
{
    if (isDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return c - u'A' + 10;
}

bool isSign(char16_t c) { return c == u'+' || c == u'-'; }

// Numbers are read in the C locale, whatever the program's locale says.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

double parse(const std::string& text, double*) { return strtod_l(text.c_str(), nullptr, cLocale()); }

float parse(const std::string& text, float*) { return strtof_l(text.c_str(), nullptr, cLocale()); }

std::u16string toUTF16(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdU16String();
}

Qt::CaseSensitivity sensitivity(bool caseSensitive) { return caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive; }

}  // namespace

Scanner::Scanner(std::string_view text) : text_(toUTF16(text)), skipped_(CharacterSet::whitespacesAndNewlines()) {}

std::string Scanner::string() const { return QString::fromStdU16String(text_).toStdString(); }

void Scanner::setScanLocation(std::size_t location) { location_ = std::min(location, text_.size()); }

bool Scanner::isAtEnd() const { return skipFrom(location_) >= text_.size(); }

char32_t Scanner::codePointAt(std::size_t at, std::size_t* units) const
{
    const char16_t first = text_[at];
    if (QChar::isHighSurrogate(first) && at + 1 < text_.size() && QChar::isLowSurrogate(text_[at + 1])) {
        *units = 2;
        return QChar::surrogateToUcs4(first, text_[at + 1]);
    }
    *units = 1;
    return first;
}

std::size_t Scanner::skipFrom(std::size_t at) const
{
    if (!skipped_) return at;
    std::size_t units = 0;
    while (at < text_.size() && skipped_->contains(codePointAt(at, &units)))
        at += units;
    return at;
}

bool Scanner::scanCharactersFromSet(const CharacterSet& set, std::string* into)
{
    const std::size_t start = skipFrom(location_);
    std::size_t end = start;
    std::size_t units = 0;
    while (end < text_.size() && set.contains(codePointAt(end, &units)))
        end += units;
    if (end == start) return false;
    if (into) *into = QStringView(text_).mid(start, end - start).toString().toStdString();
    location_ = end;
    return true;
}

bool Scanner::scanUpToCharactersFromSet(const CharacterSet& set, std::string* into)
{
    const std::size_t start = skipFrom(location_);
    std::size_t end = start;
    std::size_t units = 0;
    while (end < text_.size() && !set.contains(codePointAt(end, &units)))
        end += units;
    if (end == start) return false;
    if (into) *into = QStringView(text_).mid(start, end - start).toString().toStdString();
    location_ = end;
    return true;
}

bool Scanner::scanString(std::string_view text, std::string* into)
{
    const std::u16string wanted = toUTF16(text);
    const std::size_t start = skipFrom(location_);
    if (wanted.empty() || start + wanted.size() > text_.size()) return false;
    const QStringView candidate = QStringView(text_).mid(start, wanted.size());
    if (candidate.compare(QStringView(wanted), sensitivity(caseSensitive_)) != 0) return false;
    if (into) *into = candidate.toString().toStdString();
    location_ = start + wanted.size();
    return true;
}

bool Scanner::scanUpToString(std::string_view text, std::string* into)
{
    const std::u16string wanted = toUTF16(text);
    const std::size_t start = skipFrom(location_);
    if (wanted.empty()) return false;
    const qsizetype found = QStringView(text_).indexOf(QStringView(wanted), start, sensitivity(caseSensitive_));
    const std::size_t end = found < 0 ? text_.size() : static_cast<std::size_t>(found);
    if (end == start) return false;
    if (into) *into = QStringView(text_).mid(start, end - start).toString().toStdString();
    location_ = end;
    return true;
}

std::string Scanner::decimalText(std::size_t at, bool integerOnly) const
{
    std::string text;
    std::size_t digits = 0;
    const auto take = [&] { text += static_cast<char>(text_[at++]); };
    if (isSign(unitAt(at))) take();
    while (isDigit(unitAt(at)))
        take(), ++digits;
    if (!integerOnly && unitAt(at) == u'.') {
        take();
        while (isDigit(unitAt(at)))
            take(), ++digits;
    }
    if (digits == 0) return "";
    const char16_t e = unitAt(at);
    if (!integerOnly && (e == u'e' || e == u'E')) {
        const std::size_t signAt = isSign(unitAt(at + 1)) ? at + 2 : at + 1;
        if (isDigit(unitAt(signAt))) {
            while (at < signAt)
                take();
            while (isDigit(unitAt(at)))
                take();
        }
    }
    return text;
}

std::string Scanner::hexRealText(std::size_t at) const
{
    std::string text;
    std::size_t digits = 0;
    const auto take = [&] { text += static_cast<char>(text_[at++]); };
    if (isSign(unitAt(at))) take();
    if (unitAt(at) != u'0' || (unitAt(at + 1) != u'x' && unitAt(at + 1) != u'X')) return "";
    take(), take();
    while (isHexDigit(unitAt(at)))
        take(), ++digits;
    if (unitAt(at) == u'.') {
        take();
        while (isHexDigit(unitAt(at)))
            take(), ++digits;
    }
    if (digits == 0) return "";
    if (unitAt(at) == u'p' || unitAt(at) == u'P') {
        const std::size_t signAt = isSign(unitAt(at + 1)) ? at + 2 : at + 1;
        if (isDigit(unitAt(signAt))) {
            while (at < signAt)
                take();
            while (isDigit(unitAt(at)))
                take();
        }
    }
    return text;
}

template <class Real>
bool Scanner::scanReal(bool hexadecimal, Real* into)
{
    const std::size_t start = skipFrom(location_);
    const std::string text = hexadecimal ? hexRealText(start) : decimalText(start, false);
    if (text.empty()) return false;
    if (into) *into = parse(text, into);
    location_ = start + text.size();
    return true;
}

bool Scanner::scanDouble(double* into) { return scanReal(false, into); }

bool Scanner::scanFloat(float* into) { return scanReal(false, into); }

bool Scanner::scanHexDouble(double* into) { return scanReal(true, into); }

bool Scanner::scanHexFloat(float* into) { return scanReal(true, into); }

bool Scanner::scanSignedDecimal(std::int64_t lowest, std::int64_t highest, std::int64_t* into)
{
    const std::size_t start = skipFrom(location_);
    const std::string text = decimalText(start, true);
    if (text.empty()) return false;
    const bool negative = text.front() == '-';
    // The magnitude, held one past the largest that fits, so that clamping below is exact.
    const std::uint64_t limit =
        negative ? static_cast<std::uint64_t>(-(lowest + 1)) + 1 : static_cast<std::uint64_t>(highest);
    std::uint64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') continue;
        magnitude = magnitude > limit / 10 ? limit : std::min(limit, magnitude * 10 + (c - '0'));
    }
    if (into) {
        *into = negative ? (magnitude == limit ? lowest : -static_cast<std::int64_t>(magnitude))
                         : static_cast<std::int64_t>(magnitude);
    }
    location_ = start + text.size();
    return true;
}

bool Scanner::scanInteger(std::int64_t* into)
{
    return scanSignedDecimal(std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(), into);
}

bool Scanner::scanLongLong(std::int64_t* into) { return scanInteger(into); }

bool Scanner::scanInt(std::int32_t* into)
{
    std::int64_t value = 0;
    if (!scanSignedDecimal(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), &value))
        return false;
    if (into) *into = static_cast<std::int32_t>(value);
    return true;
}

bool Scanner::scanUnsignedLongLong(std::uint64_t* into)
{
    const std::size_t start = skipFrom(location_);
    std::size_t at = unitAt(start) == u'+' ? start + 1 : start;
    if (!isDigit(unitAt(at))) return false;
    constexpr std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (; isDigit(unitAt(at)); ++at) {
        const unsigned digit = digitValue(text_[at]);
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    if (into) *into = value;
    location_ = at;
    return true;
}

bool Scanner::scanHexDigits(std::uint64_t highest, std::uint64_t* into)
{
    const std::size_t start = skipFrom(location_);
    std::size_t at = start;
    if (unitAt(at) == u'0' && (unitAt(at + 1) == u'x' || unitAt(at + 1) == u'X') && isHexDigit(unitAt(at + 2))) at += 2;
    if (!isHexDigit(unitAt(at))) return false;
    std::uint64_t value = 0;
    for (; isHexDigit(unitAt(at)); ++at) {
        const unsigned digit = digitValue(text_[at]);
        value = value > (highest - digit) / 16 ? highest : value * 16 + digit;
    }
    if (into) *into = value;
    location_ = at;
    return true;
}

bool Scanner::scanHexInt(std::uint32_t* into)
{
    std::uint64_t value = 0;
    if (!scanHexDigits(std::numeric_limits<std::uint32_t>::max(), &value)) return false;
    if (into) *into = static_cast<std::uint32_t>(value);
    return true;
}

bool Scanner::scanHexLongLong(std::uint64_t* into)
{
    return scanHexDigits(std::numeric_limits<std::uint64_t>::max(), into);
}

}  // namespace core
