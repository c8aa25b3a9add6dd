#include "appkit/popover_controller.h"

#include "appkit/popover_extensions.h"
#include "platform/ui/view.h"

namespace kestrane {

std::shared_ptr<ui::Popover> PopoverController::popover()
{
    if (!popover_) {
        auto contentView = view();
        popover_ = createPopover(contentView);
    }
    return popover_;
}

bool PopoverController::popoverIsShown()
{
    auto shown = popover();
    return shown && shown->isShown();
}

std::shared_ptr<ui::Popover> PopoverController::createPopover(const std::shared_ptr<ui::View>&)
{
    auto made = core::make<ui::Popover>();
    auto content = core::make<ui::ViewController>();
    content->setView(view());
    made->setContentViewController(content);
    made->setBehavior(ui::PopoverBehavior::semitransient);
    made->setDelegate(sharedAs<PopoverController>());
    return made;
}

#define KESTRANE_SHOW(Edge, function)                                                                                  \
    void PopoverController::showPopoverAt##Edge(const std::shared_ptr<ui::View>& view)                                 \
    {                                                                                                                  \
        if (auto shown = popover()) function(*shown, view);                                                            \
    }                                                                                                                  \
    void PopoverController::togglePopoverAt##Edge(const std::shared_ptr<ui::View>& view)                               \
    {                                                                                                                  \
        if (popoverIsShown())                                                                                          \
            closePopover();                                                                                            \
        else                                                                                                           \
            showPopoverAt##Edge(view);                                                                                 \
    }

KESTRANE_SHOW(Top, showAtTop)
KESTRANE_SHOW(Bottom, showAtBottom)
KESTRANE_SHOW(Left, showAtLeft)
KESTRANE_SHOW(Right, showAtRight)

#undef KESTRANE_SHOW

void PopoverController::performClosePopover(const std::shared_ptr<core::Object>& sender)
{
    if (auto shown = popover()) shown->performClose(sender);
}

void PopoverController::closePopover()
{
    if (auto shown = popover()) shown->close();
}

}  // namespace kestrane
