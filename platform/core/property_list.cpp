#include "platform/core/property_list.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <charconv>
#include <cmath>

namespace core {

namespace {

// Deeper documents are refused rather than risking the stack.
constexpr int maximumDepth = 256;

// The whole text as a number, an optional leading "+" allowed; nullopt for anything else.
template <class Number>
std::optional<Number> parseNumber(const std::string& text)
{
    Number value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto result = std::from_chars(first, last, value);
    if (first == last || result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

std::optional<std::int64_t> parseInteger(const std::string& text) { return parseNumber<std::int64_t>(text); }

std::optional<double> parseReal(const std::string& text)
{
    if (text == "nan") return std::nan("");
    if (text == "+infinity" || text == "inf" || text == "+inf") return HUGE_VAL;
    if (text == "-infinity" || text == "-inf") return -HUGE_VAL;
    return parseNumber<double>(text);
}

std::optional<Date> parseDate(const std::string& text)
{
    if (text.empty() || text.back() != 'Z') return std::nullopt;
    const QDateTime moment = QDateTime::fromString(QString::fromStdString(text), Qt::ISODateWithMs);
    if (!moment.isValid()) return std::nullopt;
    return Date::fromUnixTime(double(moment.toMSecsSinceEpoch()) / 1000.0);
}

std::string dateText(Date date)
{
    const auto msecs = static_cast<qint64>(std::llround(date.timeIntervalSince1970() * 1000.0));
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc());
    const QString pattern = msecs % 1000 == 0 ? "yyyy-MM-dd'T'HH:mm:ss'Z'" : "yyyy-MM-dd'T'HH:mm:ss.zzz'Z'";
    return moment.toString(pattern).toStdString();
}

std::optional<Data> parseData(const QString& text)
{
    QByteArray compact = text.toLatin1();
    compact.removeIf([](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; });
    const auto decoded = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) return std::nullopt;
    return Data(decoded.decoded.begin(), decoded.decoded.end());
}

std::string realText(double value)
{
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-infinity" : "+infinity";
    return numberText(value);
}

class Parser {
public:
    explicit Parser(const Data& bytes)
        : xml_(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())))
    {
    }

    std::optional<Value> document()
    {
        if (!nextElement() || xml_.name() != u"plist") return std::nullopt;
        std::optional<Value> root;
        if (!nextElement() || !(root = value(0))) return std::nullopt;
        if (!closes(u"plist")) return std::nullopt;
        while (!xml_.atEnd()) {
            const auto token = xml_.readNext();
            if (token == QXmlStreamReader::StartElement || token == QXmlStreamReader::Characters) {
                if (token == QXmlStreamReader::StartElement || !xml_.isWhitespace()) return std::nullopt;
            }
        }
        if (xml_.hasError()) return std::nullopt;
        return root;
    }

private:
    // Moves to the next start element, past whitespace, comments and processing instructions; false at an end
    // element, at text or on an error.
    bool nextElement()
    {
        while (!xml_.atEnd()) {
            switch (xml_.readNext()) {
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::Characters:
                if (!xml_.isWhitespace()) return false;
                break;
            case QXmlStreamReader::EndElement:
            case QXmlStreamReader::Invalid:
                return false;
            default:
                break;
            }
        }
        return false;
    }

    // After the children of an element: true when the next significant token closes `name`.
    bool closes(QStringView name)
    {
        while (!xml_.atEnd()) {
            switch (xml_.readNext()) {
            case QXmlStreamReader::EndElement:
                return xml_.name() == name;
            case QXmlStreamReader::Characters:
                if (!xml_.isWhitespace()) return false;
                break;
            case QXmlStreamReader::StartElement:
            case QXmlStreamReader::Invalid:
                return false;
            default:
                break;
            }
        }
        return false;
    }

    std::optional<QString> text()
    {
        const QString content = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (xml_.hasError()) return std::nullopt;
        return content;
    }

    std::optional<Value> value(int depth)
    {
        if (depth > maximumDepth) return std::nullopt;
        const auto name = xml_.name();
        if (name == u"dict") return dictionary(depth);
        if (name == u"array") return array(depth);
        if (name == u"true" || name == u"false") {
            const bool flag = name == u"true";
            const auto content = text();
            if (!content || !content->trimmed().isEmpty()) return std::nullopt;
            return Value(flag);
        }
        const std::string tag = name.toString().toStdString();
        const auto content = text();
        if (!content) return std::nullopt;
        if (tag == "string") return Value(content->toStdString());
        const std::string trimmed = content->trimmed().toStdString();
        if (tag == "integer") {
            if (auto integer = parseInteger(trimmed)) return Value(*integer);
        } else if (tag == "real") {
            if (auto real = parseReal(trimmed)) return Value(*real);
        } else if (tag == "date") {
            if (auto date = parseDate(trimmed)) return Value(*date);
        } else if (tag == "data") {
            if (auto bytes = parseData(*content)) return Value(std::move(*bytes));
        }
        return std::nullopt;
    }

    std::optional<Value> array(int depth)
    {
        Array elements;
        while (nextElement()) {
            auto element = value(depth + 1);
            if (!element) return std::nullopt;
            elements.push_back(std::move(*element));
        }
        if (xml_.hasError() || !xml_.isEndElement() || xml_.name() != u"array") return std::nullopt;
        return Value(std::move(elements));
    }

    std::optional<Value> dictionary(int depth)
    {
        Dictionary entries;
        while (nextElement()) {
            if (xml_.name() != u"key") return std::nullopt;
            const auto key = text();
            if (!key || !nextElement()) return std::nullopt;
            auto element = value(depth + 1);
            if (!element) return std::nullopt;
            entries.set(key->toStdString(), std::move(*element));
        }
        if (xml_.hasError() || !xml_.isEndElement() || xml_.name() != u"dict") return std::nullopt;
        return Value(std::move(entries));
    }

    QXmlStreamReader xml_;
};

// Carriage returns go as character references: a raw one would read back as a line feed.
void writeText(QXmlStreamWriter& xml, const char* element, const std::string& text)
{
    xml.writeStartElement(element);
    std::size_t start = 0;
    for (std::size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', start)) {
        xml.writeCharacters(QString::fromStdString(text.substr(start, cr - start)));
        xml.writeEntityReference("#13");
        start = cr + 1;
    }
    xml.writeCharacters(QString::fromStdString(text.substr(start)));
    xml.writeEndElement();
}

// The code point of the UTF-8 sequence at `i`, moving `i` past it; nullopt for a malformed, overlong or
// surrogate sequence.
std::optional<char32_t> nextCodePoint(const std::string& text, std::size_t& i)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char first = byte(i);
    std::size_t length = 0;
    char32_t point = 0;
    if (first < 0x80)
        length = 1, point = first;
    else if ((first & 0xE0) == 0xC0)
        length = 2, point = first & 0x1F;
    else if ((first & 0xF0) == 0xE0)
        length = 3, point = first & 0x0F;
    else if ((first & 0xF8) == 0xF0)
        length = 4, point = first & 0x07;
    else
        return std::nullopt;
    if (i + length > text.size()) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return std::nullopt;
        point = (point << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
    i += length;
    return point;
}

bool isDocumentCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           c >= 0x10000;
}

bool writeValue(QXmlStreamWriter& xml, const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::null:
        return false;
    case Value::Kind::boolean:
        xml.writeEmptyElement(*value.asBool() ? "true" : "false");
        return true;
    case Value::Kind::integer:
        xml.writeTextElement("integer", QString::number(*value.asInt()));
        return true;
    case Value::Kind::real:
        xml.writeTextElement("real", QString::fromStdString(realText(*value.asDouble())));
        return true;
    case Value::Kind::string:
        writeText(xml, "string", *value.string());
        return true;
    case Value::Kind::date:
        xml.writeTextElement("date", QString::fromStdString(dateText(*value.date())));
        return true;
    case Value::Kind::data: {
        const Data bytes = *value.data();
        const QByteArray raw(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        xml.writeTextElement("data", QString::fromLatin1(raw.toBase64()));
        return true;
    }
    case Value::Kind::array:
        xml.writeStartElement("array");
        for (const auto& element : *value.arrayPointer()) {
            if (!writeValue(xml, element)) return false;
        }
        xml.writeEndElement();
        return true;
    case Value::Kind::dictionary:
        xml.writeStartElement("dict");
        for (const auto& [key, element] : *value.dictionaryPointer()) {
            writeText(xml, "key", key);
            if (!writeValue(xml, element)) return false;
        }
        xml.writeEndElement();
        return true;
    }
    return false;
}

}  // namespace

bool PropertyList::canCarry(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto point = nextCodePoint(text, i);
        if (!point || !isDocumentCharacter(*point)) return false;
    }
    return true;
}

bool PropertyList::canCarry(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::null:
        return false;
    case Value::Kind::string:
        return canCarry(*value.string());
    case Value::Kind::array:
        for (const auto& element : *value.arrayPointer())
            if (!canCarry(element)) return false;
        return true;
    case Value::Kind::dictionary:
        for (const auto& [key, element] : *value.dictionaryPointer())
            if (!canCarry(key) || !canCarry(element)) return false;
        return true;
    default:
        return true;
    }
}

std::optional<Value> PropertyList::read(const Data& bytes) { return Parser(bytes).document(); }

std::optional<Value> PropertyList::read(const Url& url)
{
    if (!url.isFileURL()) return std::nullopt;
    const auto bytes = readData(url.path());
    if (!bytes) return std::nullopt;
    return read(*bytes);
}

std::optional<Data> PropertyList::write(const Value& value)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(-1);
    xml.writeStartDocument();
    xml.writeDTD("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                 "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">");
    xml.writeStartElement("plist");
    xml.writeAttribute("version", "1.0");
    if (!writeValue(xml, value)) return std::nullopt;
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError()) return std::nullopt;
    return Data(bytes.begin(), bytes.end());
}

bool PropertyList::write(const Value& value, const Url& url)
{
    const auto bytes = write(value);
    return bytes && writeAtomically(*bytes, url);
}

}  // namespace core
