#include "appkit/window_extensions.h"

#include "platform/ui/screen.h"

namespace kestrane {

std::shared_ptr<ui::Window> makeWindow(const std::string& title, const gfx::Size& size)
{
    gfx::Point origin;
    if (auto screen = ui::Screen::main())
        origin = {(screen->frame.size.width - size.width) * 0.5, (screen->frame.size.height - size.height) * 0.5};
    auto window = makeWindow(gfx::Rect{origin, size}, ui::StyleMask::titled | ui::StyleMask::resizable |
                                                          ui::StyleMask::closable | ui::StyleMask::miniaturizable);
    window->setTitle(title);
    return window;
}

bool endEditing(ui::Window& window)
{
    auto previous = window.firstResponder();
    if (!window.makeFirstResponder(nullptr)) return false;
    auto self = std::static_pointer_cast<ui::Responder>(window.sharedAs<ui::Window>());
    if (previous && previous != self) window.makeFirstResponder(previous);
    return true;
}

void forceEndEditing(ui::Window& window) { window.endEditingFor(nullptr); }

std::shared_ptr<ui::VisualEffectView> visualContentView(const ui::Window& window)
{
    return std::dynamic_pointer_cast<ui::VisualEffectView>(window.contentView());
}

void replaceContentView(ui::Window& window, const std::shared_ptr<ui::View>& view)
{
    if (!view) return;
    if (auto current = window.contentView(); current && current != view) {
        const auto subviews = current->subviews();
        for (const auto& subview : subviews)
            view->addSubview(subview);
    }
    window.setContentView(view);
}

void setContentViewAppearance(ui::Window& window, ui::VisualEffectMaterial material)
{
    auto backdrop = core::make<ui::VisualEffectView>(gfx::Rect{{0, 0}, window.frame().size});
    backdrop->setMaterial(material);
    replaceContentView(window, backdrop);
}

}  // namespace kestrane
