// The Qt side of a token field, for the ui layer's own use: a text editor whose tokens are chips (one object
// character each, moved, copied and deleted whole, drawn as a rounded label) between runs of plain text kept
// as typed. Chips and text travel between editors, by drag and drop or the clipboard, as entries; an editor
// that is not editable lets its chips be dragged out one at a time. Main thread only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QMimeData>
#include <QTextEdit>
#include <QTextObjectInterface>

namespace ui {

struct TokenEntry {
    std::string text;
    bool isToken = false;
    friend bool operator==(const TokenEntry&, const TokenEntry&) = default;
};

// The clipboard and drag type of a list of entries.
inline constexpr const char* tokenEntriesMimeType = "application/x-token-field-entries";
// Entries as dragged or copied: their own type, and their text run together as plain text.
QMimeData* mimeDataOfEntries(const std::vector<TokenEntry>& entries);

// Draws the chips of an editor's document and gives their size.
class ChipRenderer : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit ChipRenderer(QWidget* owner);
    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    static QString textOf(const QTextFormat& format);

    QWidget* owner_;
};

class TokenEdit : public QTextEdit {
public:
    TokenEdit();

    // The entries shown: runs of text and tokens, in order; text next to text is one entry.
    std::vector<TokenEntry> entries() const;
    // Shows the entries, replacing everything, without telling of an edit.
    void setEntries(const std::vector<TokenEntry>& entries);
    void setEditable(bool editable);

    // After each change the user makes (typing, deleting, pasting, dropping). Return adds no line.
    std::function<void()> onEdit;

    // The single chip under the point of the viewport, as dragged out; null when the point is on no chip.
    QMimeData* mimeDataForChipAt(const QPoint& point) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void insertEntries(QTextCursor& cursor, const std::vector<TokenEntry>& entries);
    std::vector<TokenEntry> entriesBetween(int start, int end) const;

    bool quiet_ = false;  // the document changes in code, not by the user
    bool editable_ = true;
    QPoint pressedAt_;  // where a drag out of a field that is only read may start
    bool pressedOnChip_ = false;
};

}  // namespace ui
