#include "app/document/drop_window_interface.h"

#include "app/document/app_controller_actions.h"
#include "app/document/drop_button_cell.h"
#include "app/document/drop_view.h"
#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/text_field.h"
#include "platform/ui/window.h"
#include "platform/ui/window_controller.h"

namespace vistrel {

namespace {

constexpr double windowWidth = 360;
constexpr double windowHeight = 300;
constexpr double buttonWidth = 96;
constexpr double buttonHeight = 24;

std::shared_ptr<DropButtonCell> capsule(const std::string& titleKey, const ui::Action& action, double x)
{
    auto button = core::make<DropButtonCell>(gfx::Rect{x, 56, buttonWidth, buttonHeight});
    button->setTitle(kestrane::local(*kestrane::MB.get(), titleKey));
    button->setAction(action);
    button->setAutoresizingMask(ui::AutoresizingMask::minXMargin | ui::AutoresizingMask::maxXMargin |
                                ui::AutoresizingMask::maxYMargin);
    return button;
}

void build(const std::shared_ptr<core::Object>& owner)
{
    auto controller = std::dynamic_pointer_cast<ui::WindowController>(owner);
    if (!controller) return;
    auto window = ui::Window::create({0, 0, windowWidth, windowHeight},
                                     ui::StyleMask::titled | ui::StyleMask::closable | ui::StyleMask::miniaturizable |
                                         ui::StyleMask::fullSizeContentView);
    window->setTitle(kestrane::local(*kestrane::MB.get(), "DropWindow.Title"));
    window->setShowsMenuBar(true);

    auto drop = core::make<DropView>(gfx::Rect{0, 0, windowWidth, windowHeight});
    drop->setAutoresizingMask(ui::AutoresizingMask::widthSizable | ui::AutoresizingMask::heightSizable);
    window->contentView()->addSubview(drop);

    auto prompt = ui::TextField::labelWithFrame({0, 0, 0, 0});
    prompt->setStringValue(kestrane::local(*kestrane::MB.get(), "DropWindow.Prompt"));
    const gfx::Size size = prompt->intrinsicContentSize();
    prompt->setFrame({(windowWidth - size.width) / 2, windowHeight / 2, size.width, size.height});
    prompt->setAutoresizingMask(ui::AutoresizingMask::minXMargin | ui::AutoresizingMask::maxXMargin |
                                ui::AutoresizingMask::minYMargin | ui::AutoresizingMask::maxYMargin);
    drop->addSubview(prompt);

    const double gap = 16;
    const double left = (windowWidth - 2 * buttonWidth - gap) / 2;
    drop->addSubview(capsule("DropWindow.OpenButton", actions::openDocument, left));
    drop->addSubview(capsule("DropWindow.BatchButton", actions::showBatchWindow, left + buttonWidth + gap));

    controller->setWindow(window);
    window->center();
}

}  // namespace

void registerDropWindowInterface() { ui::InterfaceRegistry::add("DropWindow", build); }

}  // namespace vistrel
