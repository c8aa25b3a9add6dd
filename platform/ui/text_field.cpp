#include "platform/ui/text_field.h"

#include <QLabel>
#include <QLineEdit>

#include "platform/gfx/detail/qt_context.h"
#include "platform/gfx/detail/qt_font.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/number_formatter.h"

namespace ui {

TextField::TextField(const gfx::Rect& frame) : Control(frame) {}

void TextField::awake()
{
    Control::awake();
    setStringValue("");
    rebuild();
}

std::shared_ptr<TextField> TextField::labelWithFrame(const gfx::Rect& frame)
{
    auto field = core::make<TextField>(frame);
    field->setBezeled(false);
    field->setDrawsBackground(false);
    field->setEditable(false);
    field->setSelectable(false);
    return field;
}

void TextField::rebuild()
{
    QWidget* widget;
    if (editable_ || selectable_) {
        auto* edit = new QLineEdit;
        std::weak_ptr<TextField> weak = sharedAs<TextField>();
        QObject::connect(edit, &QLineEdit::editingFinished, [weak] {
            if (auto field = weak.lock()) field->commitEditing();
        });
        QObject::connect(edit, &QLineEdit::textEdited, [weak](const QString& text) {
            if (auto field = weak.lock(); field && field->isContinuous()) field->takeTypedText(text.toStdString());
        });
        widget = edit;
    } else {
        widget = new QLabel;
    }
    setControlWidget(*this, widget);
    applyLook();
    valueDidChange();
}

namespace {

Qt::Alignment qtAlignment(gfx::TextAlignment alignment)
{
    switch (alignment) {
    case gfx::TextAlignment::right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case gfx::TextAlignment::center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case gfx::TextAlignment::justified:
        return Qt::AlignJustify | Qt::AlignVCenter;
    case gfx::TextAlignment::left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case gfx::TextAlignment::natural:
        break;
    }
    return Qt::AlignLeading | Qt::AlignVCenter;
}

}  // namespace

void TextField::applyLook()
{
    QWidget* widget = controlWidget(*this);
    if (!widget) return;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setReadOnly(!editable_);
        edit->setFrame(bezeled_);
        edit->setPlaceholderText(QString::fromStdString(placeholder_));
        edit->setAlignment(qtAlignment(alignment_));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setAlignment(qtAlignment(alignment_));
    }
    if (font_) widget->setFont(gfx::toQFont(*font_));
    QPalette palette = widget->palette();
    if (textColor_) {
        palette.setColor(QPalette::Text, gfx::toQColor(*textColor_));
        palette.setColor(QPalette::WindowText, gfx::toQColor(*textColor_));
    }
    if (!drawsBackground_) palette.setColor(QPalette::Base, Qt::transparent);
    widget->setPalette(palette);
    widget->setAutoFillBackground(drawsBackground_ && !qobject_cast<QLineEdit*>(widget));
}

void TextField::setEditable(bool editable)
{
    const bool changesKind = (editable || selectable_) != (editable_ || selectable_);
    editable_ = editable;
    if (changesKind)
        rebuild();
    else
        applyLook();
}

void TextField::setSelectable(bool selectable)
{
    const bool changesKind = (editable_ || selectable) != (editable_ || selectable_);
    selectable_ = selectable;
    if (changesKind) rebuild();
}

void TextField::setBezeled(bool bezeled)
{
    bezeled_ = bezeled;
    applyLook();
}

void TextField::setDrawsBackground(bool draws)
{
    drawsBackground_ = draws;
    applyLook();
}

void TextField::setTextColor(const std::optional<gfx::Color>& color)
{
    textColor_ = color;
    applyLook();
}

void TextField::setPlaceholderString(const std::string& text)
{
    placeholder_ = text;
    applyLook();
}

void TextField::setFont(const gfx::Font& font)
{
    font_ = font;
    applyLook();
}

void TextField::setAlignment(gfx::TextAlignment alignment)
{
    alignment_ = alignment;
    applyLook();
}

void TextField::commitEditing()
{
    auto* edit = qobject_cast<QLineEdit*>(controlWidget(*this));
    if (!edit || !editable_) return;
    const std::string text = edit->text().toStdString();
    if (auto f = formatter()) {
        auto number = f->numberFromString(text);
        if (!number) {
            valueDidChange();  // the previous value comes back
            return;
        }
        userChangedValue(*number);
    } else {
        userChangedValue(text);
    }
    valueDidChange();
}

void TextField::takeTypedText(const std::string& text)
{
    if (!editable_) return;
    std::optional<double> number;
    if (auto f = formatter(); f && !(number = f->numberFromString(text))) return;
    takingTypedText_ = true;
    if (number)
        userChangedValue(*number);
    else
        userChangedValue(text);
    takingTypedText_ = false;
}

void TextField::valueDidChange()
{
    if (takingTypedText_) return;
    const QString text = QString::fromStdString(stringValue());
    QWidget* widget = controlWidget(*this);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
        // A field that is only read shows its text from the start; one being typed in keeps its cursor at the end.
        if (!editable_) edit->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
}

gfx::Size TextField::intrinsicContentSize() const
{
    auto* widget = controlWidget(const_cast<TextField&>(*this));
    if (!widget) return View::intrinsicContentSize();
    const QSize hint = widget->sizeHint();
    return {double(hint.width()), double(hint.height())};
}

}  // namespace ui
