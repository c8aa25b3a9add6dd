#include "appkit/sender_tag.h"

#include "platform/ui/action.h"
#include "platform/ui/control.h"

namespace kestrane {

std::optional<long> senderTag(const std::shared_ptr<core::Object>& sender)
{
    if (const auto item = std::dynamic_pointer_cast<ui::ValidatedUserInterfaceItem>(sender)) return item->tag();
    if (const auto control = std::dynamic_pointer_cast<ui::Control>(sender)) return control->tag();
    return std::nullopt;
}

}  // namespace kestrane
