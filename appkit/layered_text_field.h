// A layer-backed view whose text layer shows one line of attributed text, cut with "..." at its end to the
// view's width, and shortened anew whenever its text, its attributes or its frame change. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "platform/gfx/attributed_string.h"
#include "platform/ui/text_layer.h"
#include "platform/ui/view.h"

namespace kestrane {

class LayeredTextField : public ui::View {
public:
    using View::View;
    ~LayeredTextField() override;
    void awake() override;

    // The full text; what shows is it shortened to the width.
    const std::string& string() const { return string_; }
    void setString(const std::string& string);
    // Nullopt: no attributes.
    const std::optional<gfx::TextAttributes>& attributes() const { return attributes_; }
    void setAttributes(const std::optional<gfx::TextAttributes>& attributes);
    // One of ui::AlignmentMode.
    std::string alignmentMode();
    void setAlignmentMode(const std::string& mode);

    // Shows the text shortened to the current width, at once.
    virtual void refreshFieldContent();

protected:
    virtual void layeredTextFieldSetup();

private:
    std::shared_ptr<ui::TextLayer> textLayer();

    std::string string_;
    std::optional<gfx::TextAttributes> attributes_;
};

}  // namespace kestrane
