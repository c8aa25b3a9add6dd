#include "appkit/layered_text_field.h"

#include "appkit/animation_extensions.h"
#include "appkit/text_attributes.h"
#include "appkit/text_extensions.h"
#include "appkit/view_extensions.h"
#include "foundation/shortcuts.h"

namespace kestrane {

LayeredTextField::~LayeredTextField() { NC->removeObserver(this); }

void LayeredTextField::awake()
{
    View::awake();
    layeredTextFieldSetup();
}

void LayeredTextField::layeredTextFieldSetup()
{
    setWantsLayer(true);
    setLayer(core::make<ui::TextLayer>());
    textLayer()->setContentsScale(screenScale());
    setAttributes(NSTextAttributes(std::nullopt, 13, gfx::Color::black(), std::nullopt).dictionary());
    NC->addObserver(this, frameDidChangeNotification, this,
                    [this](const core::Notification&) { refreshFieldContent(); });
}

std::shared_ptr<ui::TextLayer> LayeredTextField::textLayer()
{
    return std::dynamic_pointer_cast<ui::TextLayer>(layer());
}

void LayeredTextField::setString(const std::string& string)
{
    string_ = string;
    refreshFieldContent();
}

void LayeredTextField::setAttributes(const std::optional<gfx::TextAttributes>& attributes)
{
    attributes_ = attributes;
    refreshFieldContent();
}

std::string LayeredTextField::alignmentMode()
{
    auto layer = textLayer();
    return layer ? layer->alignmentMode() : ui::AlignmentMode::natural;
}

void LayeredTextField::setAlignmentMode(const std::string& mode)
{
    if (auto layer = textLayer()) layer->setAlignmentMode(mode);
}

void LayeredTextField::refreshFieldContent()
{
    auto layer = textLayer();
    if (!layer) return;  // the text layer was replaced: there is nowhere to show the text
    gfx::AttributedString shown(string_, attributes_.value_or(gfx::TextAttributes{}));
    reduceAtEnd(shown, bounds().size.width);
    Transaction::disableAnimation([&] { layer->setString(shown); });
}

}  // namespace kestrane
