// The base of every popover: a view controller whose own view becomes the content of a popover made on first
// use (semitransient, its delegate this controller), shown, toggled and closed at an edge of a view.
// Subclasses may make their own popover (createPopover) and hear the popover's delegate calls. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/popover.h"
#include "platform/ui/view_controller.h"

namespace kestrane {

class PopoverController : public ui::ViewController, public ui::PopoverDelegate {
public:
    using ViewController::ViewController;

    // Made on first read: the view is loaded first, then createPopover runs.
    virtual std::shared_ptr<ui::Popover> popover();
    void setPopover(const std::shared_ptr<ui::Popover>& popover) { popover_ = popover; }
    virtual bool popoverIsShown();
    // A semitransient popover showing this controller's view through a plain view controller of its own.
    virtual std::shared_ptr<ui::Popover> createPopover(const std::shared_ptr<ui::View>& view);

    virtual void showPopoverAtTop(const std::shared_ptr<ui::View>& view);
    virtual void showPopoverAtBottom(const std::shared_ptr<ui::View>& view);
    virtual void showPopoverAtLeft(const std::shared_ptr<ui::View>& view);
    virtual void showPopoverAtRight(const std::shared_ptr<ui::View>& view);
    // Closes on the user's behalf (asking the delegate).
    virtual void performClosePopover(const std::shared_ptr<core::Object>& sender);
    virtual void closePopover();
    virtual void togglePopoverAtTop(const std::shared_ptr<ui::View>& view);
    virtual void togglePopoverAtBottom(const std::shared_ptr<ui::View>& view);
    virtual void togglePopoverAtLeft(const std::shared_ptr<ui::View>& view);
    virtual void togglePopoverAtRight(const std::shared_ptr<ui::View>& view);

private:
    std::shared_ptr<ui::Popover> popover_;
};

}  // namespace kestrane
