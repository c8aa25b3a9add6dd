#include "app/document/gif_export_panel_interface.h"

#include "app/document/defaults_keys.h"
#include "app/document/gif_exporter_actions.h"
#include "app/document/gif_exporter_controller.h"
#include "app/document/interface_builder.h"
#include "appkit/increment_stepper.h"
#include "platform/ui/defaults_binding.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/window.h"

namespace vistrel {

namespace {

namespace Mask = ui::AutoresizingMask;

constexpr double width = 600, height = 420;
constexpr double margin = 16;
constexpr double tableWidth = 220;
constexpr double buttonHeight = 30;

void build(const std::shared_ptr<core::Object>& owner)
{
    auto controller = std::dynamic_pointer_cast<GIFExporterController>(owner);
    if (!controller) return;
    GIFExporterOutlets outlets;
    auto window = ui::Window::create({0, 0, width, height}, ui::StyleMask::titled);
    window->setTitle(interfaceText("GIFExportPanel.Title"));
    InterfaceBuilder b(window->contentView());
    const unsigned bottomLeft = Mask::maxXMargin | Mask::maxYMargin;
    const unsigned bottomRight = Mask::minXMargin | Mask::maxYMargin;

    // The frames, with the buttons that reorder and remove them underneath.
    const double listBottom = 2 * margin + 2 * buttonHeight + 8;
    auto table =
        b.table({margin, listBottom, tableWidth, height - listBottom - margin}, Mask::heightSizable | Mask::maxXMargin,
                {{GIFExporterController::indexColumn, 60}, {GIFExporterController::timeColumn, 140}});
    table->setAllowsMultipleSelection(false);
    table->tableColumnWithIdentifier(GIFExporterController::indexColumn)
        ->setTitle(interfaceText("GIFExportPanel.Index"));
    table->tableColumnWithIdentifier(GIFExporterController::timeColumn)->setTitle(interfaceText("GIFExportPanel.Time"));
    table->setDataSource(controller);
    table->setDelegate(controller);
    outlets.tableView = table;
    const double third = (tableWidth - 8) / 3;
    const double rowY = listBottom - buttonHeight - 4;
    b.button({margin, rowY, third, buttonHeight}, bottomLeft, "GIFExportPanel.MoveUp", controller, actions::moveUpItem);
    b.button({margin + third + 4, rowY, third, buttonHeight}, bottomLeft, "GIFExportPanel.MoveDown", controller,
             actions::moveDownItem);
    b.button({margin + 2 * third + 8, rowY, third, buttonHeight}, bottomLeft, "GIFExportPanel.Remove", controller,
             actions::deleteItem);

    // The preview, the position between the step buttons, and the two settings.
    const double right = margin + tableWidth + margin;
    const double previewWidth = width - right - margin;
    const double previewBottom = 3 * margin + buttonHeight + 2 * 28 + 36;
    auto preview =
        b.add<kestrane::LayeredImageView>({right, previewBottom, previewWidth, height - previewBottom - margin},
                                          Mask::widthSizable | Mask::heightSizable);
    preview->setDuration(0);
    outlets.imageView = preview;
    const double stepY = previewBottom - 34;
    b.button({right, stepY, 44, buttonHeight - 2}, Mask::maxXMargin | Mask::maxYMargin, "GIFExportPanel.Previous",
             controller, actions::showPreviousFrame);
    b.button({width - margin - 44, stepY, 44, buttonHeight - 2}, bottomRight, "GIFExportPanel.Next", controller,
             actions::showNextFrame);
    auto position = b.label({right + 52, stepY + 5, previewWidth - 104, 20}, Mask::widthSizable | Mask::maxYMargin);
    position->setAlignment(gfx::TextAlignment::center);
    outlets.frameField = position;

    const double labelWidth = 190, fieldX = right + labelWidth + 6;
    const double delayY = stepY - 34, sizeY = delayY - 30;
    b.label({right, delayY + 3, labelWidth, 20}, bottomLeft, "GIFExportPanel.Delay");
    auto delay = b.numberField({fieldX, delayY, 70, 24}, bottomLeft, 0.01, 60, true, nullptr, {});
    ui::bindToDefaults(delay, TimeLapseIntervalKey);
    outlets.frameDelayField = delay;
    auto stepper = b.add<kestrane::IncrementStepper>({fieldX + 74, delayY, 19, 24}, bottomLeft);
    stepper->setControl(delay);
    stepper->setIncrementValue(0.01);
    outlets.frameDelayStepper = stepper;
    b.label({right, sizeY + 3, labelWidth, 20}, bottomLeft, "GIFExportPanel.Size");
    auto size = b.numberField({fieldX, sizeY, 70, 24}, bottomLeft, 0, 100000, false, nullptr, {});
    ui::bindToDefaults(size, TimeLapseMaxSizeKey);
    outlets.frameSizeField = size;

    auto cancel = b.button({width - margin - 2 * 110 - 8, margin, 110, buttonHeight}, bottomRight,
                           "GIFExportPanel.Cancel", controller, actions::cancelExportation);
    cancel->setKeyEquivalent("\x1b");
    auto save = b.button({width - margin - 110, margin, 110, buttonHeight}, bottomRight, "GIFExportPanel.Export",
                         controller, actions::validateExportation);
    save->setKeyEquivalent("\r");
    controller->setOutlets(outlets);
    controller->setWindow(window);
}

}  // namespace

void registerGIFExportPanelInterface()
{
    if (!ui::InterfaceRegistry::contains(GIFExporterController::windowInterface))
        ui::InterfaceRegistry::add(GIFExporterController::windowInterface, build);
}

}  // namespace vistrel
