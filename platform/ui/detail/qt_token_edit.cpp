#include "platform/ui/detail/qt_token_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDrag>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextObjectInterface>

#include <algorithm>
#include <climits>

namespace ui {

namespace {

constexpr int chipObjectType = QTextFormat::UserObject + 1;
constexpr int chipTextProperty = QTextFormat::UserProperty + 1;
constexpr qreal chipPadding = 5;
constexpr qreal chipGap = 1;
const QChar chipCharacter(QChar::ObjectReplacementCharacter);

QString qt(const std::string& text) { return QString::fromStdString(text); }

QTextCharFormat chipFormat(const std::string& text)
{
    QTextCharFormat format;
    format.setObjectType(chipObjectType);
    format.setProperty(chipTextProperty, qt(text));
    format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    return format;
}

bool isChip(const QTextFormat& format) { return format.objectType() == chipObjectType; }

// Text as it can stand in a field of one line: line breaks become spaces; stray object characters go.
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar c : {QChar('\n'), QChar('\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
        text.replace(c, QChar(' '));
    text.remove(chipCharacter);
    return text;
}

// Adds to the entries; text next to text joins it.
void addEntry(std::vector<TokenEntry>& entries, const QString& text, bool isToken)
{
    if (!isToken && text.isEmpty()) return;
    if (!isToken && !entries.empty() && !entries.back().isToken)
        entries.back().text += text.toStdString();
    else
        entries.push_back({text.toStdString(), isToken});
}

// The entries a drag or the clipboard carries: its own type when it has it, else its plain text.
std::vector<TokenEntry> entriesOf(const QMimeData& data)
{
    std::vector<TokenEntry> entries;
    if (data.hasFormat(tokenEntriesMimeType)) {
        const QJsonDocument document = QJsonDocument::fromJson(data.data(tokenEntriesMimeType));
        for (const QJsonValue& item : document.array()) {
            const QJsonArray pair = item.toArray();
            if (pair.size() == 2 && pair[0].isBool() && pair[1].isString())
                addEntry(entries, pair[0].toBool() ? pair[1].toString() : oneLine(pair[1].toString()),
                         pair[0].toBool());
        }
        return entries;
    }
    addEntry(entries, oneLine(data.text()), false);
    return entries;
}

}  // namespace

ChipRenderer::ChipRenderer(QWidget* owner) : QObject(owner), owner_(owner) {}

QString ChipRenderer::textOf(const QTextFormat& format) { return format.property(chipTextProperty).toString(); }

QSizeF ChipRenderer::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const QFontMetricsF metrics(document->defaultFont());
    return {metrics.horizontalAdvance(textOf(format)) + 2 * (chipPadding + chipGap), metrics.height() + 2};
}

void ChipRenderer::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                              const QTextFormat& format)
{
    const QPalette& palette = owner_->palette();
    QColor fill = palette.color(QPalette::Highlight);
    fill.setAlphaF(0.18f);
    const QRectF chip = rect.adjusted(chipGap, 0.5, -chipGap, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(palette.color(QPalette::Highlight));
    painter->setBrush(fill);
    painter->drawRoundedRect(chip, chip.height() / 2, chip.height() / 2);
    painter->setPen(palette.color(QPalette::Text));
    painter->setFont(document->defaultFont());
    painter->drawText(chip, Qt::AlignCenter, textOf(format));
    painter->restore();
}

QMimeData* mimeDataOfEntries(const std::vector<TokenEntry>& entries)
{
    QJsonArray items;
    QString plain;
    for (const TokenEntry& entry : entries) {
        items.append(QJsonArray{entry.isToken, qt(entry.text)});
        plain += qt(entry.text);
    }
    auto* data = new QMimeData;
    data->setData(tokenEntriesMimeType, QJsonDocument(items).toJson(QJsonDocument::Compact));
    data->setText(plain);
    return data;
}

TokenEdit::TokenEdit()
{
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(3);
    document()->documentLayout()->registerHandler(chipObjectType, new ChipRenderer(this));
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!quiet_ && onEdit) onEdit();
    });
    // Text typed next to a chip is text, never another chip.
    connect(this, &QTextEdit::currentCharFormatChanged, this, [this](const QTextCharFormat& format) {
        if (isChip(format) && !textCursor().hasSelection()) setCurrentCharFormat(QTextCharFormat());
    });
}

std::vector<TokenEntry> TokenEdit::entries() const { return entriesBetween(0, INT_MAX); }

std::vector<TokenEntry> TokenEdit::entriesBetween(int start, int end) const
{
    std::vector<TokenEntry> entries;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            if (from >= to) continue;
            const QString text = fragment.text().mid(from - fragment.position(), to - from);
            if (!isChip(fragment.charFormat())) {
                addEntry(entries, QString(text).remove(chipCharacter), false);
                continue;
            }
            const QString token = fragment.charFormat().property(chipTextProperty).toString();
            for (QChar c : text)
                if (c == chipCharacter) addEntry(entries, token, true);
        }
    }
    return entries;
}

void TokenEdit::setEntries(const std::vector<TokenEntry>& entries)
{
    quiet_ = true;
    clear();
    QTextCursor cursor(document());
    insertEntries(cursor, entries);
    setTextCursor(cursor);
    setCurrentCharFormat(QTextCharFormat());
    quiet_ = false;
}

void TokenEdit::insertEntries(QTextCursor& cursor, const std::vector<TokenEntry>& entries)
{
    for (const TokenEntry& entry : entries) {
        if (entry.isToken)
            cursor.insertText(QString(chipCharacter), chipFormat(entry.text));
        else
            cursor.insertText(oneLine(qt(entry.text)), QTextCharFormat());
    }
}

void TokenEdit::setEditable(bool editable)
{
    editable_ = editable;
    setReadOnly(!editable);
    setTextInteractionFlags(editable ? Qt::TextEditorInteraction : Qt::NoTextInteraction);
    setAcceptDrops(editable);
    viewport()->setAcceptDrops(editable);
}

void TokenEdit::keyPressEvent(QKeyEvent* event)
{
    // One line: Return goes on to the window (its default button).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return event->ignore();
    const QString text = event->text();
    const bool typesText = editable_ && !text.isEmpty() && text.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!typesText) return QTextEdit::keyPressEvent(event);
    // Typed over a selection that starts at a chip, the text takes no chip's format.
    QTextCursor cursor = textCursor();
    cursor.insertText(oneLine(text), QTextCharFormat());
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
}

void TokenEdit::mousePressEvent(QMouseEvent* event)
{
    pressedAt_ = event->position().toPoint();
    pressedOnChip_ = !editable_ && event->button() == Qt::LeftButton;
    QTextEdit::mousePressEvent(event);
}

void TokenEdit::mouseMoveEvent(QMouseEvent* event)
{
    const bool drags =
        pressedOnChip_ && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - pressedAt_).manhattanLength() >= QApplication::startDragDistance();
    if (!drags) return QTextEdit::mouseMoveEvent(event);
    pressedOnChip_ = false;
    if (QMimeData* data = mimeDataForChipAt(pressedAt_)) {
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }
}

QMimeData* TokenEdit::mimeDataForChipAt(const QPoint& point) const
{
    const QPointF inDocument = QPointF(point) + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const int hit = document()->documentLayout()->hitTest(inDocument, Qt::FuzzyHit);
    for (int at : {hit, hit - 1}) {
        if (at < 0 || document()->characterAt(at) != chipCharacter) continue;
        const QTextBlock block = document()->findBlock(at);
        const QTextLayout* layout = block.layout();
        const int inBlock = at - block.position();
        const QTextLine line = layout ? layout->lineForTextPosition(inBlock) : QTextLine();
        if (!line.isValid()) continue;
        const QPointF origin = layout->position();
        const qreal left = origin.x() + line.cursorToX(inBlock);
        const qreal right = origin.x() + line.cursorToX(inBlock + 1);
        const qreal top = origin.y() + line.y();
        if (inDocument.x() >= left && inDocument.x() < right && inDocument.y() >= top &&
            inDocument.y() < top + line.height())
            return mimeDataOfEntries(entriesBetween(at, at + 1));
    }
    return nullptr;
}

bool TokenEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return editable_ && source && (source->hasFormat(tokenEntriesMimeType) || source->hasText());
}

void TokenEdit::insertFromMimeData(const QMimeData* source)
{
    if (!canInsertFromMimeData(source)) return;
    const auto entries = entriesOf(*source);
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    insertEntries(cursor, entries);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

QMimeData* TokenEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    return mimeDataOfEntries(entriesBetween(cursor.selectionStart(), cursor.selectionEnd()));
}

}  // namespace ui
