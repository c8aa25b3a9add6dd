// A box of plain text, several lines, editable unless told otherwise, scrolling inside itself. Main thread
// only.
#pragma once

#include "platform/ui/view.h"

namespace ui {

class TextView : public View {
public:
    using View::View;
    void awake() override;

    std::string string() const;
    void setString(const std::string& text);
    bool isEditable() const;
    void setEditable(bool editable);
    bool acceptsFirstResponder() const override { return true; }
};

}  // namespace ui
