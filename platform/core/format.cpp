#include "platform/core/format.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <optional>

namespace core {

FormatArgument::FormatArgument(const Value& value) : kind_(Kind::text), text_(value.description())
{
    switch (value.kind()) {
    case Value::Kind::boolean:
    case Value::Kind::integer:
        kind_ = Kind::signedInteger;
        signed_ = *value.asInt();
        break;
    case Value::Kind::real:
        kind_ = Kind::real;
        real_ = *value.asDouble();
        break;
    default:
        break;
    }
}

namespace {

struct Specifier {
    std::optional<std::size_t> position;
    bool leftAlign = false, plus = false, space = false, zero = false, alternate = false;
    std::size_t width = 0;
    std::optional<int> precision;
    bool longModifier = false;
    char conversion = 0;
};

// The specifier after a '%', or nullopt when the text there is not one (it is then copied as it is).
std::optional<Specifier> parseSpecifier(std::string_view format, std::size_t& index)
{
    Specifier spec;
    auto digits = [&](std::size_t& value) {
        const std::size_t start = index;
        while (index < format.size() && format[index] >= '0' && format[index] <= '9' && index - start < 6)
            value = value * 10 + std::size_t(format[index++] - '0');
        return index > start;
    };
    const std::size_t start = index;
    std::size_t number = 0;
    if (digits(number) && index < format.size() && format[index] == '$' && number > 0) {
        spec.position = number - 1;
        ++index;
    } else {
        index = start;
    }
    for (; index < format.size(); ++index) {
        const char flag = format[index];
        if (flag == '-')
            spec.leftAlign = true;
        else if (flag == '+')
            spec.plus = true;
        else if (flag == ' ')
            spec.space = true;
        else if (flag == '0')
            spec.zero = true;
        else if (flag == '#')
            spec.alternate = true;
        else if (flag != '\'')
            break;
    }
    digits(spec.width);
    if (index < format.size() && format[index] == '.') {
        ++index;
        std::size_t precision = 0;
        digits(precision);
        spec.precision = int(precision);
    }
    while (index < format.size() && std::string_view("hlqLzjt").find(format[index]) != std::string_view::npos) {
        if (format[index] == 'l' || format[index] == 'q' || format[index] == 'j') spec.longModifier = true;
        ++index;
    }
    if (index >= format.size()) return std::nullopt;
    spec.conversion = format[index++];
    if (std::string_view("diuxXocfFeEgGs@").find(spec.conversion) == std::string_view::npos) return std::nullopt;
    return spec;
}

std::string pad(std::string text, const Specifier& spec)
{
    if (text.size() >= spec.width) return text;
    const std::string fill(spec.width - text.size(), ' ');
    return spec.leftAlign ? text + fill : fill + text;
}

// Sign, prefix and digits joined, zero-padded between prefix and digits when asked.
std::string assemble(const std::string& sign, const std::string& digits, const Specifier& spec, bool zeroAllowed)
{
    std::string text = sign + digits;
    if (spec.zero && zeroAllowed && !spec.leftAlign && text.size() < spec.width)
        return sign + std::string(spec.width - text.size(), '0') + digits;
    return pad(text, spec);
}

std::string signFor(bool negative, const Specifier& spec)
{
    if (negative) return "-";
    if (spec.plus) return "+";
    if (spec.space) return " ";
    return "";
}

// Inserts the locale's group separator into a run of decimal digits.
std::string grouped(const std::string& digits, bool localized)
{
    if (!localized) return digits;
    const QLocale locale;
    if (locale.numberOptions() & QLocale::OmitGroupSeparator) return digits;
    const std::string separator = locale.groupSeparator().toStdString();
    std::string result;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) result += separator;
        result += digits[i];
    }
    return result;
}

std::string unsignedDigits(std::uint64_t value, int base, bool upper)
{
    char buffer[80];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, base).ptr;
    std::string digits(buffer, end);
    if (upper) {
        for (auto& c : digits)
            c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    return digits;
}

std::string integerText(bool negative, std::uint64_t magnitude, int base, const Specifier& spec, bool localized)
{
    const bool upper = spec.conversion == 'X';
    std::string digits = unsignedDigits(magnitude, base, upper);
    if (spec.precision) {
        if (*spec.precision == 0 && magnitude == 0) digits.clear();
        if (digits.size() < std::size_t(*spec.precision)) digits.insert(0, *spec.precision - digits.size(), '0');
    }
    if (base == 10) digits = grouped(digits, localized);
    std::string prefix;
    if (spec.alternate && magnitude != 0 && base == 16) prefix = upper ? "0X" : "0x";
    if (spec.alternate && base == 8 && (digits.empty() || digits.front() != '0')) prefix = "0";
    const std::string sign = base == 10 ? signFor(negative, spec) : "";
    return assemble(sign + prefix, digits, spec, !spec.precision);
}

std::string realText(double value, const Specifier& spec, bool localized)
{
    const char conversion = spec.conversion;
    const bool upper = conversion == 'F' || conversion == 'E' || conversion == 'G';
    const bool negative = std::signbit(value);
    if (!std::isfinite(value)) {
        const std::string word = std::isnan(value) ? (upper ? "NAN" : "nan") : (upper ? "INF" : "inf");
        return assemble(signFor(negative && !std::isnan(value), spec), word, spec, false);
    }
    const int precision = std::min(spec.precision.value_or(6), 300);
    std::chars_format style = std::chars_format::fixed;
    if (conversion == 'e' || conversion == 'E') style = std::chars_format::scientific;
    if (conversion == 'g' || conversion == 'G') style = std::chars_format::general;
    char buffer[1200];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), style,
                                   style == std::chars_format::general ? std::max(precision, 1) : precision)
                         .ptr;
    std::string digits(buffer, end);
    if (upper) {
        for (auto& c : digits)
            c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    if (localized) {
        const auto point = digits.find('.');
        const auto exponent = digits.find_first_of("eE");
        const auto integerEnd = std::min(point, exponent);
        std::string integer = grouped(digits.substr(0, integerEnd), true);
        std::string rest = integerEnd == std::string::npos ? "" : digits.substr(integerEnd);
        if (point != std::string::npos) rest.replace(0, 1, QLocale().decimalPoint().toStdString());
        digits = integer + rest;
    }
    return assemble(signFor(negative, spec), digits, spec, true);
}

// The argument in its natural form: integers in decimal, reals in their shortest exact form, text as it is.
std::string ownKind(const FormatArgument& argument, const Specifier& spec, bool localized)
{
    switch (argument.kind()) {
    case FormatArgument::Kind::signedInteger: {
        const auto value = argument.signedValue();
        const auto magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
        return pad((value < 0 ? "-" : "") + grouped(unsignedDigits(magnitude, 10, false), localized), spec);
    }
    case FormatArgument::Kind::unsignedInteger:
        return pad(grouped(unsignedDigits(argument.unsignedValue(), 10, false), localized), spec);
    case FormatArgument::Kind::real:
        return pad(numberText(argument.realValue()), spec);
    case FormatArgument::Kind::text:
        break;
    }
    std::string text = argument.text();
    if (spec.conversion == 's' && spec.precision && text.size() > std::size_t(*spec.precision))
        text.resize(std::size_t(*spec.precision));
    return pad(text, spec);
}

std::string utf8(std::uint32_t code)
{
    std::string text;
    if (code < 0x80) {
        text += char(code);
    } else if (code < 0x800) {
        text += char(0xC0 | (code >> 6));
        text += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += char(0xE0 | (code >> 12));
        text += char(0x80 | ((code >> 6) & 0x3F));
        text += char(0x80 | (code & 0x3F));
    } else {
        text += char(0xF0 | (code >> 18));
        text += char(0x80 | ((code >> 12) & 0x3F));
        text += char(0x80 | ((code >> 6) & 0x3F));
        text += char(0x80 | (code & 0x3F));
    }
    return text;
}

std::string formatOne(const FormatArgument& argument, const Specifier& spec, bool localized)
{
    const auto kind = argument.kind();
    const bool integer = kind == FormatArgument::Kind::signedInteger || kind == FormatArgument::Kind::unsignedInteger;
    switch (spec.conversion) {
    case 'd':
    case 'i':
        if (kind == FormatArgument::Kind::signedInteger) {
            const auto value = argument.signedValue();
            return integerText(value < 0, value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value), 10, spec,
                               localized);
        }
        if (kind == FormatArgument::Kind::unsignedInteger)
            return integerText(false, argument.unsignedValue(), 10, spec, localized);
        break;
    case 'u':
    case 'x':
    case 'X':
    case 'o': {
        if (!integer) break;
        std::uint64_t bits = argument.unsignedValue();
        if (kind == FormatArgument::Kind::signedInteger) {
            const auto value = argument.signedValue();
            // Without a length modifier a negative int is shown as its 32-bit pattern, as C does.
            const bool fitsInt = value >= INT32_MIN;
            bits = value < 0 && !spec.longModifier && fitsInt ? std::uint32_t(value) : std::uint64_t(value);
        }
        const int base = spec.conversion == 'u' ? 10 : spec.conversion == 'o' ? 8 : 16;
        return integerText(false, bits, base, spec, localized);
    }
    case 'c':
        if (integer && argument.unsignedValue() <= 0x10FFFF && argument.signedValue() >= 0)
            return pad(utf8(std::uint32_t(kind == FormatArgument::Kind::signedInteger ? argument.signedValue()
                                                                                      : argument.unsignedValue())),
                       spec);
        break;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
        if (kind == FormatArgument::Kind::real) return realText(argument.realValue(), spec, localized);
        break;
    default:
        break;
    }
    return ownKind(argument, spec, localized);
}

}  // namespace

std::string formatArguments(std::string_view format, const std::vector<FormatArgument>& arguments, bool localized)
{
    std::string result;
    std::size_t next = 0;
    for (std::size_t index = 0; index < format.size();) {
        const char c = format[index++];
        if (c != '%') {
            result += c;
            continue;
        }
        if (index < format.size() && format[index] == '%') {
            result += '%';
            ++index;
            continue;
        }
        const std::size_t start = index;
        const auto spec = parseSpecifier(format, index);
        if (!spec) {
            index = start;
            result += '%';
            continue;
        }
        const std::size_t position = spec->position.value_or(next);
        if (!spec->position) ++next;
        if (position < arguments.size()) result += formatOne(arguments[position], *spec, localized);
    }
    return result;
}

}  // namespace core
