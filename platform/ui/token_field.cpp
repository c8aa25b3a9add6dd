#include "platform/ui/token_field.h"

#include <algorithm>

#include "platform/ui/detail/qt_control.h"
#include "platform/ui/detail/qt_token_edit.h"

namespace ui {

namespace {

std::string joined(const std::vector<std::string>& entries)
{
    std::string text;
    for (const auto& entry : entries)
        text += entry;
    return text;
}

std::vector<std::string> entriesIn(const std::any& value)
{
    if (const auto* list = std::any_cast<std::vector<std::string>>(&value)) return *list;
    const auto* text = std::any_cast<std::string>(&value);
    if (text && !text->empty()) return {*text};
    const auto* chars = std::any_cast<const char*>(&value);
    if (chars && *chars && **chars) return {*chars};
    return {};
}

TokenEdit* editOf(TokenField& field) { return dynamic_cast<TokenEdit*>(controlWidget(field)); }

}  // namespace

TokenField::TokenField(const gfx::Rect& frame) : Control(frame) {}

void TokenField::awake()
{
    Control::awake();
    auto* edit = new TokenEdit;
    std::weak_ptr<TokenField> weak = sharedAs<TokenField>();
    edit->onEdit = [weak] {
        if (auto field = weak.lock()) field->userEdited();
    };
    setControlWidget(*this, edit);
    edit->setEditable(editable_);
    show();
}

void TokenField::setObjectValue(const std::any& value)
{
    entries_ = entriesIn(value);
    // The text of the entries stands as the plain value, so that stringValue() reads the name they spell.
    Control::setObjectValue(joined(entries_));
}

void TokenField::valueDidChange()
{
    // A text or number given through the plain setters is one entry.
    if (stringValue() != joined(entries_)) entries_ = entriesIn(stringValue());
    show();
}

void TokenField::show()
{
    TokenEdit* edit = editOf(*this);
    if (!edit || editedTokens() == entries_) return;
    std::vector<TokenEntry> shown;
    for (const auto& entry : entries_) {
        const bool known =
            knownTokens_.empty() || std::find(knownTokens_.begin(), knownTokens_.end(), entry) != knownTokens_.end();
        shown.push_back({entry, known});
    }
    edit->setEntries(shown);
    if (editProblem_.empty()) return;
    editProblem_.clear();
    if (editHandler_) editHandler_();
}

void TokenField::setKnownTokens(const std::vector<std::string>& tokens)
{
    knownTokens_ = tokens;
    if (auto* edit = editOf(*this)) edit->setEntries({});
    show();
}

void TokenField::setEditable(bool editable)
{
    editable_ = editable;
    if (auto* edit = editOf(*this)) edit->setEditable(editable);
}

std::vector<std::string> TokenField::editedTokens() const
{
    std::vector<std::string> edited;
    if (auto* edit = editOf(const_cast<TokenField&>(*this)))
        for (const auto& entry : edit->entries())
            edited.push_back(entry.text);
    return edited;
}

void TokenField::setEditCheck(std::function<std::string(const std::vector<std::string>&)> check)
{
    check_ = std::move(check);
}

void TokenField::userEdited()
{
    const auto edited = editedTokens();
    editProblem_ = check_ ? check_(edited) : std::string();
    if (editProblem_.empty() && edited != entries_) {
        entries_ = edited;
        userChangedValue(joined(entries_));
    }
    if (editHandler_) editHandler_();
}

gfx::Size TokenField::intrinsicContentSize() const
{
    auto* widget = controlWidget(const_cast<TokenField&>(*this));
    if (!widget) return View::intrinsicContentSize();
    const QSize hint = widget->sizeHint();
    return {double(hint.width()), double(hint.height())};
}

}  // namespace ui
