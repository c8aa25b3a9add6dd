#include "app/document/gif_exporter_controller.h"

#include <filesystem>

#include "app/document/gif_export_panel_interface.h"
#include "app/document/gif_exporter_actions.h"
#include "appkit/controller_extensions.h"
#include "appkit/table_view_extensions.h"
#include "appkit/window_extensions.h"
#include "foundation/array_extensions.h"
#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "foundation/time_values.h"
#include "platform/ui/application.h"
#include "platform/ui/save_panel.h"
#include "platform/ui/window.h"

namespace vistrel {

std::shared_ptr<GIFExporterController> GIFExporterController::create()
{
    auto controller = core::make<GIFExporterController>();
    kestrane::forceLoadIfNeeded(*controller);
    return controller;
}

GIFExporterController::GIFExporterController() : WindowController(std::string(windowInterface))
{
    registerGIFExportPanelInterface();
}

GIFExporterController::GIFExporterController(std::shared_ptr<ui::Window> window) : WindowController(std::move(window))
{
}

void GIFExporterController::awake()
{
    WindowController::awake();
    registerCommand(actions::showPreviousFrame, &GIFExporterController::showPreviousFrame);
    registerCommand(actions::showNextFrame, &GIFExporterController::showNextFrame);
    registerCommand(actions::moveUpItem, &GIFExporterController::moveUpItem);
    registerCommand(actions::moveDownItem, &GIFExporterController::moveDownItem);
    registerCommand(actions::deleteItem, &GIFExporterController::deleteItem);
    registerCommand(actions::cancelExportation, &GIFExporterController::cancelExportation);
    registerCommand(actions::validateExportation, &GIFExporterController::validateExportation);
}

void GIFExporterController::setSnapItems(SnapItems items)
{
    snapItems_ = std::move(items);
    reset();
}

double GIFExporterController::frameDelay() const
{
    const auto field = outlets_.frameDelayField.lock();
    return field ? field->doubleValue() : 0;
}

long GIFExporterController::frameSize() const
{
    const auto field = outlets_.frameSizeField.lock();
    return field ? field->integerValue() : 0;
}

void GIFExporterController::reset()
{
    if (auto view = outlets_.imageView.lock()) view->setImage(nullptr);
    currentIndex_.reset();
    updateFrame();
    showNextFrame(nullptr);
    if (auto table = outlets_.tableView.lock()) table->reloadData();
}

void GIFExporterController::updateFrame()
{
    std::string label;
    core::IndexSet rows;
    gfx::ImageRef image;
    if (currentIndex_) {
        label = std::to_string(*currentIndex_ + 1) + " / " + std::to_string(snapItems_.size());
        rows.insert(long(*currentIndex_));
        image = snapItems_[*currentIndex_]->image();
    } else {
        label = kestrane::local(*kestrane::MB.get(), "GIFExporterController.NoFrame");
    }
    if (auto view = outlets_.imageView.lock()) view->setImage(image);
    if (auto field = outlets_.frameField.lock()) field->setStringValue(label);
    if (auto table = outlets_.tableView.lock()) kestrane::selectOnlyRows(*table, rows);
}

void GIFExporterController::showNextFrame(const std::shared_ptr<core::Object>&)
{
    if (snapItems_.empty())
        currentIndex_.reset();
    else if (currentIndex_ && *currentIndex_ + 1 < snapItems_.size())
        currentIndex_ = *currentIndex_ + 1;
    else
        currentIndex_ = 0;
    updateFrame();
}

void GIFExporterController::showPreviousFrame(const std::shared_ptr<core::Object>&)
{
    if (snapItems_.empty())
        currentIndex_.reset();
    else if (currentIndex_ && *currentIndex_ > 0)
        currentIndex_ = *currentIndex_ - 1;
    else
        currentIndex_ = snapItems_.size() - 1;
    updateFrame();
}

void GIFExporterController::moveSelected(bool (*mover)(SnapItems&, std::ptrdiff_t), long step)
{
    const auto table = outlets_.tableView.lock();
    const long row = table ? table->selectedRow() : -1;
    if (snapItems_.empty() || row < 0) return ui::beep();
    SnapItems items = snapItems_;
    const bool moved = mover(items, row);
    setSnapItems(std::move(items));
    kestrane::selectOnlyRow(*table, moved ? row + step : row);
}

void GIFExporterController::moveUpItem(const std::shared_ptr<core::Object>&)
{
    moveSelected(&kestrane::moveUp<std::shared_ptr<SnapItem>>, -1);
}

void GIFExporterController::moveDownItem(const std::shared_ptr<core::Object>&)
{
    moveSelected(&kestrane::moveDown<std::shared_ptr<SnapItem>>, +1);
}

void GIFExporterController::deleteItem(const std::shared_ptr<core::Object>&)
{
    const auto table = outlets_.tableView.lock();
    const long row = table ? table->selectedRow() : -1;
    // The last frame stays.
    if (snapItems_.size() < 2 || row < 0 || std::size_t(row) >= snapItems_.size()) return ui::beep();
    SnapItems items = snapItems_;
    items.erase(items.begin() + row);
    setSnapItems(std::move(items));
}

void GIFExporterController::cancelExportation(const std::shared_ptr<core::Object>&)
{
    if (auto sheet = window()) kestrane::forceEndEditing(*sheet);
    endSheet(0);
}

void GIFExporterController::validateExportation(const std::shared_ptr<core::Object>&)
{
    auto sheet = window();
    if (!sheet) return;
    kestrane::forceEndEditing(*sheet);
    auto panel = core::make<ui::SavePanel>();
    panel->setCanCreateDirectories(true);
    panel->setNameFieldStringValue(saveName_.value_or(""));
    panel->setAllowedFileTypes({"gif"});
    panel->setAllowsOtherFileTypes(false);
    std::weak_ptr<GIFExporterController> weak = sharedAs<GIFExporterController>();
    panel->beginSheetModal(sheet, [weak, panel](ui::ModalResponse response) {
        if (auto controller = weak.lock())
            controller->savePanelDidEnd(response == ui::ModalResponses::ok, panel->url());
    });
}

void GIFExporterController::savePanelDidEnd(bool ok, const std::optional<core::Url>& url)
{
    fileURL_ = ok ? url : std::nullopt;
    std::error_code error;
    replacesFile_ = fileURL_ && std::filesystem::exists(fileURL_->path(), error);
    endSheet(ok && url ? 1 : 0);
}

void GIFExporterController::endSheet(long returnCode)
{
    auto sheet = window();
    if (sheet)
        if (auto parent = sheet->sheetParent()) parent->endSheet(sheet, returnCode);
    setSnapItems({});
}

long GIFExporterController::numberOfRowsInTableView(ui::TableView&) { return long(snapItems_.size()); }

std::any GIFExporterController::objectValueFor(ui::TableView&, const std::shared_ptr<ui::TableColumn>& column, long row)
{
    if (!column || row < 0 || std::size_t(row) >= snapItems_.size()) return {};
    if (column->identifier() == indexColumn) return row + 1;
    if (column->identifier() == timeColumn) return kestrane::hhmmssmsDesc(snapItems_[std::size_t(row)]->time());
    return {};
}

void GIFExporterController::tableViewSelectionDidChange(ui::TableView& table)
{
    const auto rows = table.selectedRowIndexes();
    if (rows.empty() || std::size_t(rows.front()) >= snapItems_.size())
        currentIndex_.reset();
    else
        currentIndex_ = std::size_t(rows.front());
    updateFrame();
}

}  // namespace vistrel
