// A field of tokens and text, as a file-name template is written: each token shows as a chip that moves, copies
// and deletes whole, and the text typed between tokens is kept exactly as typed, spaces and commas included.
// The value is the list of entries in order: each token's text, and each run of text between tokens. An entry
// shows as a token when it is one of the field's known tokens (every entry is one when none are set). Tokens
// come in by drag and drop from another token field; the chips of a field that is not editable drag out. Each
// edit the field's check accepts becomes the value at once (through its binding too) and sends the action; an
// edit it refuses stays on screen and is not taken. Main thread only.
#pragma once

#include <any>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

class TokenField : public Control {
public:
    explicit TokenField(const gfx::Rect& frame = {});
    void awake() override;

    // The entries of the value, in order.
    std::vector<std::string> tokens() const { return entries_; }
    void setTokens(const std::vector<std::string>& tokens) { setObjectValue(tokens); }
    // A list of entries (std::vector<std::string>); a text is one entry.
    std::any objectValue() const override { return entries_; }
    void setObjectValue(const std::any& value) override;

    const std::vector<std::string>& knownTokens() const { return knownTokens_; }
    void setKnownTokens(const std::vector<std::string>& tokens);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable);

    // What the field shows now, edits not taken included.
    std::vector<std::string> editedTokens() const;
    // Says why a list of entries cannot be the value, or nothing when it can.
    void setEditCheck(std::function<std::string(const std::vector<std::string>&)> check);
    // Why the edit on screen was not taken; empty when it was, or when the value came from code.
    const std::string& editProblem() const { return editProblem_; }
    // Runs after every edit the user makes, taken or not, and when a value from code replaces a refused edit.
    void setEditHandler(std::function<void()> handler) { editHandler_ = std::move(handler); }

    bool acceptsFirstResponder() const override { return editable_; }
    gfx::Size intrinsicContentSize() const override;

protected:
    void valueDidChange() override;

private:
    void userEdited();
    void show();

    std::vector<std::string> entries_;
    std::vector<std::string> knownTokens_;
    bool editable_ = true;
    std::function<std::string(const std::vector<std::string>&)> check_;
    std::string editProblem_;
    std::function<void()> editHandler_;
};

}  // namespace ui
