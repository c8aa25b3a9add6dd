#include "platform/ui/view_controller.h"

#include "platform/ui/interface_registry.h"
#include "platform/ui/view.h"

namespace ui {

ViewController::ViewController(std::string nibName) : nibName_(std::move(nibName)) {}

std::shared_ptr<View> ViewController::view()
{
    if (!view_ && !loading_) {
        loading_ = true;
        loadView();
        loading_ = false;
        if (!view_) setView(core::make<View>());
        viewDidLoad();
    }
    return view_;
}

void ViewController::setView(const std::shared_ptr<View>& view) { view_ = view; }

void ViewController::loadView()
{
    if (!nibName_.empty() && InterfaceRegistry::build(nibName_, shared_from_this())) return;
    setView(core::make<View>());
}

}  // namespace ui
