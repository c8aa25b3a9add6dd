#include "platform/ui/text_view.h"

#include <QPlainTextEdit>

#include "platform/ui/detail/qt_view.h"

namespace ui {

namespace {

QPlainTextEdit* editOf(View& view)
{
    auto* host = static_cast<HostWidget*>(widgetOf(view));
    return host ? qobject_cast<QPlainTextEdit*>(host->fill()) : nullptr;
}

}  // namespace

void TextView::awake()
{
    View::awake();
    static_cast<HostWidget*>(widgetOf(*this))->setFill(new QPlainTextEdit);
}

std::string TextView::string() const
{
    auto* edit = editOf(const_cast<TextView&>(*this));
    return edit ? edit->toPlainText().toStdString() : std::string();
}

void TextView::setString(const std::string& text)
{
    if (auto* edit = editOf(*this)) edit->setPlainText(QString::fromStdString(text));
}

bool TextView::isEditable() const
{
    auto* edit = editOf(const_cast<TextView&>(*this));
    return edit && !edit->isReadOnly();
}

void TextView::setEditable(bool editable)
{
    if (auto* edit = editOf(*this)) edit->setReadOnly(!editable);
}

}  // namespace ui
