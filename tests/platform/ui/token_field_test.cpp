// The token field as it is typed in, dragged to and read: tokens are chips that go whole, the text between
// them stays exactly as typed, tokens dragged from a field that is only read land where they are dropped, and
// an edit the field's check refuses is never taken.
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

#include <gtest/gtest.h>

#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_token_edit.h"
#include "platform/ui/token_field.h"
#include "platform/ui/window.h"

namespace {

constexpr ui::ActionName changed{"changed:"};

using Tokens = std::vector<std::string>;
const Tokens known{"<name>", "<index>", "-", "."};

ui::TokenEdit& editOf(ui::TokenField& field)
{
    auto* edit = dynamic_cast<ui::TokenEdit*>(ui::controlWidget(field));
    EXPECT_TRUE(edit);
    return *edit;
}

std::shared_ptr<ui::TokenField> makeField(const Tokens& tokens, double width = 300)
{
    auto field = core::make<ui::TokenField>(gfx::Rect{0, 0, width, 48});
    field->setKnownTokens(known);
    field->setTokens(tokens);
    return field;
}

void press(ui::TokenEdit& edit, int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = {})
{
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&edit, &down);
}

void typeText(ui::TokenEdit& edit, const QString& text)
{
    for (QChar c : text)
        press(edit, 0, QString(c));
}

void moveCursorTo(ui::TokenEdit& edit, int position)
{
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(position);
    edit.setTextCursor(cursor);
}

std::vector<bool> kinds(ui::TokenEdit& edit)
{
    std::vector<bool> result;
    for (const auto& entry : edit.entries())
        result.push_back(entry.isToken);
    return result;
}

TEST(TokenField, KeepsTheTextTypedBetweenTokensExactlyAndDeletesTokensWhole)
{
    auto field = makeField({"<name>", "<index>"});
    auto& edit = editOf(*field);
    EXPECT_EQ(kinds(edit), (std::vector<bool>{true, true}));
    int sent = 0;
    auto target = core::make<ui::Responder>();
    target->registerAction(changed, [&](const std::shared_ptr<core::Object>&) { ++sent; });
    field->setTarget(target);
    field->setAction(changed);

    // Between the two chips: a space, a comma and spaces around a word, all kept.
    moveCursorTo(edit, 1);
    typeText(edit, " , take 2  ");
    EXPECT_EQ(field->tokens(), (Tokens{"<name>", " , take 2  ", "<index>"}));
    EXPECT_EQ(field->stringValue(), "<name> , take 2  <index>");
    EXPECT_EQ(kinds(edit), (std::vector<bool>{true, false, true}));
    EXPECT_GT(sent, 0);

    // Typed right after a chip, text is text; Backspace after a chip takes the whole chip.
    moveCursorTo(edit, int(edit.toPlainText().size()));
    typeText(edit, "x");
    EXPECT_EQ(field->tokens(), (Tokens{"<name>", " , take 2  ", "<index>", "x"}));
    press(edit, Qt::Key_Backspace);
    press(edit, Qt::Key_Backspace);
    EXPECT_EQ(field->tokens(), (Tokens{"<name>", " , take 2  "}));

    // Return adds no line.
    press(edit, Qt::Key_Return);
    EXPECT_EQ(field->tokens(), (Tokens{"<name>", " , take 2  "}));
}

TEST(TokenField, ShowsKnownTokensAsChipsAndEverythingElseAsText)
{
    // A stored list reads back as it was; an entry that is no known token is text.
    auto field = makeField({"<name>", "<other>", "-", "a,b"});
    EXPECT_EQ(kinds(editOf(*field)), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(field->tokens(), (Tokens{"<name>", "<other>", "-", "a,b"}));

    // Without known tokens every entry is a token; a plain text is one entry.
    auto plain = core::make<ui::TokenField>(gfx::Rect{0, 0, 200, 24});
    plain->setStringValue("ann, bob");
    EXPECT_EQ(plain->tokens(), (Tokens{"ann, bob"}));
    plain->setTokens({"x", "y"});
    EXPECT_EQ(kinds(editOf(*plain)), (std::vector<bool>{true, true}));
    plain->setStringValue("");
    EXPECT_TRUE(plain->tokens().empty());
}

TEST(TokenField, ChipsAreDrawnAsChips)
{
    auto window = ui::Window::create({0, 0, 320, 60}, 0);
    const auto render = [&](const Tokens& tokens) {
        auto field = makeField(tokens);
        window->contentView()->addSubview(field);
        auto& edit = editOf(*field);
        edit.resize(300, 48);
        QImage image(edit.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        edit.viewport()->render(&image);
        field->removeFromSuperview();
        // Pixels of the chips' outline colour.
        const QColor outline = edit.palette().color(QPalette::Highlight);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - outline.red()) + std::abs(c.green() - outline.green()) +
                        std::abs(c.blue() - outline.blue()) <
                    40)
                    ++count;
            }
        return count;
    };
    EXPECT_GT(render({"<name>", "-", "<index>"}), 50);
    EXPECT_EQ(render({"plain text only"}), 0);
}

TEST(TokenField, TokensDraggedFromAFieldThatIsOnlyReadLandWhereTheyAreDropped)
{
    auto window = ui::Window::create({0, 0, 700, 200}, 0);
    auto list = makeField(known, 600);
    list->setEditable(false);
    auto output = makeField({"<name>", "."}, 600);
    window->contentView()->addSubview(list);
    window->contentView()->addSubview(output);
    auto& from = editOf(*list);
    auto& to = editOf(*output);
    from.resize(600, 48);
    to.resize(600, 48);
    from.document()->setTextWidth(from.viewport()->width());
    to.document()->setTextWidth(to.viewport()->width());

    // The second chip of the list, "<index>", picked up by its middle.
    QTextCursor second(from.document());
    second.setPosition(1);
    const QRect start = from.cursorRect(second);
    second.setPosition(2);
    const QRect end = from.cursorRect(second);
    const QPoint onChip((start.left() + end.left()) / 2, start.center().y());
    std::unique_ptr<QMimeData> data(from.mimeDataForChipAt(onChip));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), "<index>");
    EXPECT_FALSE(from.mimeDataForChipAt(QPoint(590, 40)));  // past the last chip, on no chip

    // Dropped between "<name>" and ".".
    QTextCursor between(to.document());
    between.setPosition(1);
    const QPoint at = to.cursorRect(between).center();
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(to.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(to.viewport(), &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(to.viewport(), &drop);
    EXPECT_EQ(output->tokens(), (Tokens{"<name>", "<index>", "."}));
    EXPECT_EQ(kinds(to), (std::vector<bool>{true, true, true}));
    // The list takes nothing dropped on it and stays as it was.
    EXPECT_FALSE(from.acceptDrops());
    EXPECT_EQ(list->tokens(), known);
}

TEST(TokenField, CopiesAndPastesTokensWholeAndForeignDataAsText)
{
    auto field = makeField({"<name>", "-", "<index>"});
    auto& edit = editOf(*field);
    edit.selectAll();
    edit.copy();
    moveCursorTo(edit, 3);
    typeText(edit, " ");
    edit.paste();
    EXPECT_EQ(field->tokens(), (Tokens{"<name>", "-", "<index>", " ", "<name>", "-", "<index>"}));

    // Text from elsewhere comes in as text on one line, even when it spells a token.
    edit.selectAll();
    QApplication::clipboard()->setText("a\nb <index>");
    edit.paste();
    EXPECT_EQ(field->tokens(), (Tokens{"a b <index>"}));
    EXPECT_EQ(kinds(edit), (std::vector<bool>{false}));

    // Our own type with bytes that are no list gives nothing, and breaks nothing.
    for (const QByteArray& bytes : {QByteArray(), QByteArray("[[true"), QByteArray("\x01\xff\x00garbage", 10),
                                    QByteArray("[[1,2],[\"x\"],{\"a\":1},[false,\"ok\"]]")}) {
        auto* data = new QMimeData;
        data->setData(ui::tokenEntriesMimeType, bytes);
        QApplication::clipboard()->setMimeData(data);
        edit.selectAll();
        edit.paste();
    }
    EXPECT_EQ(field->tokens(), (Tokens{"ok"}));
}

TEST(TokenField, AnEditTheCheckRefusesStaysOnScreenAndIsNotTaken)
{
    auto field = makeField({"<name>"});
    auto& edit = editOf(*field);
    int told = 0;
    field->setEditHandler([&] { ++told; });
    field->setEditCheck([](const Tokens& tokens) {
        return !tokens.empty() && tokens.front().starts_with('.') ? std::string("hidden") : std::string();
    });
    moveCursorTo(edit, 0);
    typeText(edit, ".");
    EXPECT_EQ(field->editProblem(), "hidden");
    EXPECT_EQ(field->editedTokens(), (Tokens{".", "<name>"}));
    EXPECT_EQ(field->tokens(), (Tokens{"<name>"}));
    EXPECT_EQ(told, 1);

    press(edit, Qt::Key_Backspace);
    EXPECT_EQ(field->editProblem(), "");
    EXPECT_EQ(told, 2);
    typeText(edit, ".");
    // A value from code replaces the refused edit and clears its reason.
    field->setTokens({"<index>"});
    EXPECT_EQ(field->editProblem(), "");
    EXPECT_EQ(field->editedTokens(), (Tokens{"<index>"}));
    EXPECT_EQ(told, 4);
}

}  // namespace
