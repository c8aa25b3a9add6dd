#include "platform/core/strings_table.h"

#include <QString>
#include <QStringDecoder>

namespace core {

namespace {

std::optional<QString> decodedText(const Data& bytes)
{
    const QByteArrayView view(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    auto encoding = QStringConverter::encodingForData(view);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8), QStringConverter::Flag::Stateless);
    QString text = decoder.decode(view);
    if (decoder.hasError()) return std::nullopt;
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

// A lone surrogate left by a bad \U escape would not survive the trip to UTF-8: such a table is refused.
bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate()) return true;
            ++i;
        } else if (text[i].isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

class Parser {
public:
    explicit Parser(QString text) : text_(std::move(text)) {}

    std::optional<StringsTable> table()
    {
        StringsTable entries;
        while (skipBlanks(), position_ < text_.size()) {
            auto key = token();
            if (!key) return std::nullopt;
            skipBlanks();
            QString value = *key;
            if (peek() == u'=') {
                ++position_;
                skipBlanks();
                auto parsed = token();
                if (!parsed) return std::nullopt;
                value = *parsed;
                skipBlanks();
            }
            if (peek() != u';') return std::nullopt;
            ++position_;
            if (hasLoneSurrogate(*key) || hasLoneSurrogate(value)) return std::nullopt;
            entries[key->toStdString()] = value.toStdString();
        }
        if (failed_) return std::nullopt;
        return entries;
    }

private:
    QChar peek() const { return position_ < text_.size() ? text_[position_] : QChar(); }

    // Skips white space and comments; an unclosed comment is an error.
    void skipBlanks()
    {
        while (position_ < text_.size()) {
            if (text_[position_].isSpace()) {
                ++position_;
            } else if (text_.mid(position_, 2) == u"//") {
                while (position_ < text_.size() && text_[position_] != u'\n')
                    ++position_;
            } else if (text_.mid(position_, 2) == u"/*") {
                const auto close = text_.indexOf(u"*/", position_ + 2);
                if (close < 0) {
                    failed_ = true;
                    position_ = text_.size();
                    return;
                }
                position_ = close + 2;
            } else {
                return;
            }
        }
    }

    static bool isBareCharacter(QChar c)
    {
        return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u':' || c == u'/' || c == u'-';
    }

    std::optional<QString> token()
    {
        if (peek() == u'"') return quoted();
        QString word;
        while (position_ < text_.size() && isBareCharacter(text_[position_]))
            word += text_[position_++];
        if (word.isEmpty()) return std::nullopt;
        return word;
    }

    std::optional<QString> quoted()
    {
        ++position_;
        QString result;
        while (position_ < text_.size()) {
            const QChar c = text_[position_++];
            if (c == u'"') return result;
            if (c != u'\\') {
                result += c;
                continue;
            }
            if (position_ >= text_.size()) return std::nullopt;
            const QChar escaped = text_[position_++];
            if (escaped == u'n') {
                result += u'\n';
            } else if (escaped == u't') {
                result += u'\t';
            } else if (escaped == u'r') {
                result += u'\r';
            } else if (escaped == u'U' || escaped == u'u') {
                auto unit = hexUnit();
                if (!unit) return std::nullopt;
                result += QChar(*unit);
            } else {
                result += escaped;
            }
        }
        return std::nullopt;
    }

    std::optional<char16_t> hexUnit()
    {
        if (position_ + 4 > text_.size()) return std::nullopt;
        bool ok = false;
        const auto unit = text_.mid(position_, 4).toUShort(&ok, 16);
        if (!ok) return std::nullopt;
        position_ += 4;
        return char16_t(unit);
    }

    QString text_;
    qsizetype position_ = 0;
    bool failed_ = false;
};

}  // namespace

std::optional<StringsTable> parseStringsTable(const Data& bytes)
{
    const auto text = decodedText(bytes);
    if (!text) return std::nullopt;
    return Parser(*text).table();
}

}  // namespace core
