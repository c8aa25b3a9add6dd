#include "app/document/generate_popover_interface.h"
#include "app/document/interface_builder.h"

#include "app/document/generate_popover_actions.h"
#include "app/document/generate_popover_controller.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/number_formatter.h"
#include "platform/ui/view.h"

namespace vistrel {

namespace {

constexpr double width = 300;
constexpr double rowHeight = 28;
constexpr double margin = 12;
constexpr double labelWidth = 70;
constexpr double fieldWidth = 110;
constexpr double buttonWidth = 80;

std::shared_ptr<ui::TextField> label(const std::string& key, double y)
{
    auto field = ui::TextField::labelWithFrame({margin, y + 4, labelWidth, 20});
    field->setStringValue(interfaceText(key));
    return field;
}

std::shared_ptr<ui::Button> button(const std::string& key, const ui::Action& action, const gfx::Rect& frame,
                                   const std::shared_ptr<GeneratePopoverController>& owner)
{
    auto made = core::make<ui::Button>(frame);
    made->setTitle(interfaceText(key));
    made->setAction(action);
    made->setTarget(owner);
    return made;
}

std::shared_ptr<ui::Button> checkBox(const std::string& key, const ui::Action& action, double x, double y,
                                     const std::shared_ptr<GeneratePopoverController>& owner)
{
    auto box = button(key, action, {x, y, (width - 2 * margin) / 2, 22}, owner);
    box->setButtonType(ui::ButtonType::switchButton);
    box->setState(ui::ControlState::on);
    return box;
}

void build(const std::shared_ptr<core::Object>& owner)
{
    auto controller = std::dynamic_pointer_cast<GeneratePopoverController>(owner);
    if (!controller) return;
    GeneratePopoverOutlets outlets;
    const double height = 5 * rowHeight + 3 * margin;
    auto view = core::make<ui::View>(gfx::Rect{0, 0, width, height});
    const double fieldX = margin + labelWidth;
    const double buttonX = width - margin - buttonWidth;

    double y = height - margin - rowHeight;
    view->addSubview(label("GeneratePopover.Start", y));
    auto start = ui::TextField::labelWithFrame({fieldX, y + 4, fieldWidth, 20});
    view->addSubview(start);
    outlets.startTextField = start;
    view->addSubview(
        button("GeneratePopover.SetStart", actions::changeStart, {buttonX, y, buttonWidth, 26}, controller));

    y -= rowHeight;
    view->addSubview(label("GeneratePopover.End", y));
    auto end = ui::TextField::labelWithFrame({fieldX, y + 4, fieldWidth, 20});
    view->addSubview(end);
    outlets.endTextField = end;
    view->addSubview(button("GeneratePopover.SetEnd", actions::changeEnd, {buttonX, y, buttonWidth, 26}, controller));

    y -= rowHeight;
    view->addSubview(label("GeneratePopover.Frames", y));
    auto frames = core::make<ui::TextField>(gfx::Rect{fieldX, y + 2, 60, 22});
    auto limits = core::make<ui::NumberFormatter>();
    limits->setAllowsFloats(false);
    limits->setMinimum(0);
    limits->setMaximum(double(GeneratePopoverController::maximumFrames));
    frames->setFormatter(limits);
    frames->setIntegerValue(long(GeneratePopoverController::initialFrames));
    frames->setAction(actions::changeFrames);
    frames->setTarget(controller);
    outlets.framesTextField = frames;
    view->addSubview(frames);
    view->addSubview(button("GeneratePopover.Reset", actions::resetTimes, {buttonX, y, buttonWidth, 26}, controller));

    y -= rowHeight;
    auto includeStart = checkBox("GeneratePopover.IncludeStart", actions::changeIncludeStart, margin, y, controller);
    auto includeEnd = checkBox("GeneratePopover.IncludeEnd", actions::changeIncludeEnd, width / 2, y, controller);
    view->addSubview(includeStart);
    view->addSubview(includeEnd);
    outlets.includeStartButton = includeStart;
    outlets.includeEndButton = includeEnd;

    auto generate = button("GeneratePopover.Generate", actions::generateSnaps,
                           {buttonX - 20, margin, buttonWidth + 20, 28}, controller);
    generate->setKeyEquivalent("\r");
    view->addSubview(generate);

    controller->setOutlets(outlets);
    controller->setView(view);
}

}  // namespace

void registerGeneratePopoverInterface() { ui::InterfaceRegistry::add("GeneratePopover", build); }

}  // namespace vistrel
