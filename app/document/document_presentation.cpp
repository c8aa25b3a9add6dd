// What the document window shows of its document: the snap button's picture, the spinner and the progress
// label while busy, the export and share buttons while snaps are selected, the snaps label, the cannot-close
// alert and the export-errors sheet; the selection commands; and which commands are available.
#include <algorithm>
#include <cmath>

#include "app/document/document.h"
#include "app/document/document_actions.h"
#include "app/document/interface_builder.h"
#include "app/document/main_menu.h"
#include "app/document/snaps_manager.h"
#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "platform/core/main_thread.h"
#include "platform/ui/alert.h"
#include "platform/ui/menu.h"
#include "platform/ui/standard_actions.h"

namespace vistrel {

namespace {

}  // namespace

void Document::setState(DocumentState state)
{
    core::assertMainThread();
    if (state == state_) return;
    state_ = state;
    // A movie still opening shows the spinner and its state as busy work does.
    const bool working = isBusy(state) || state == DocumentState::opening;
    if (!working) {
        outlets_.snapButton.lock()->setImage(state == DocumentState::snapping ? snapRedButtonImage()
                                                                              : snapBlankButtonImage());
        outlets_.progressIndicator.lock()->stopAnimation(nullptr);
    } else {
        outlets_.progressIndicator.lock()->startAnimation(nullptr);
        outlets_.progressLabel.lock()->setStringValue(localizedTitle(state));
    }
    outlets_.progressLabel.lock()->setHidden(!working);
    outlets_.progressIndicator.lock()->setHidden(!working);
    // The snap button needs a movie that plays.
    outlets_.snapButton.lock()->setHidden(working || !isPlayable());
    outlets_.exportButton.lock()->setHidden(state != DocumentState::selecting);
    outlets_.shareButton.lock()->setHidden(state != DocumentState::selecting);
}

DocumentState Document::stateBySelection() const
{
    return snapsManager_->isSelectionEmpty() ? DocumentState::snapping : DocumentState::selecting;
}

void Document::beginBusyWork(DocumentState state)
{
    core::assertMainThread();
    busyWork_.push_back(state);
    setState(state);
}

void Document::endBusyWork(DocumentState state)
{
    core::assertMainThread();
    const auto found = std::find(busyWork_.rbegin(), busyWork_.rend(), state);
    if (found != busyWork_.rend()) busyWork_.erase(std::next(found).base());
    setState(busyWork_.empty() ? stateBySelection() : busyWork_.back());
}

void Document::updateProgress(double fraction)
{
    core::assertMainThread();
    // A hair above the fraction, so that 29/100 reads 29 and not 28.
    const long percent = long(std::floor(fraction * 100 + 1e-9));
    outlets_.progressLabel.lock()->setStringValue(localizedTitle(state_) + " : " + std::to_string(percent) + " %");
}

void Document::updateSnapsField()
{
    const std::string snaps =
        kestrane::localPlural(*kestrane::MB.get(), "Document.SnapsLabel", std::int64_t(snapsManager_->items().size()));
    const auto& selection = snapsManager_->selection();
    outlets_.snapsField.lock()->setStringValue(
        selection.isEmpty() ? snaps : std::to_string(selection.count()) + " of " + snaps);
}

void Document::showCannotBeClosedAlert()
{
    auto alert = core::make<ui::Alert>();
    alert->setMessageText(interfaceText("Document.CannotBeClosedAlert.MessageText"));
    alert->setInformativeText(interfaceText("Document.CannotBeClosedAlert.InformativeText"));
    alert->addButton(interfaceText("Document.CannotBeClosedAlert.FirstButton"));
    alert->beginSheetModal(outlets_.mainWindow.lock(), {});
}

void Document::showExportErrors(const std::string& errors)
{
    core::assertMainThread();
    if (errors.empty()) return;
    outlets_.exportErrorsTextView.lock()->setString(errors);
    // A sheet already up, or waiting for another to end, only takes the new text.
    if (exportErrorsShown_) return;
    exportErrorsShown_ = true;
    std::weak_ptr<Document> weak = sharedAs<Document>();
    outlets_.mainWindow.lock()->beginSheet(outlets_.exportErrorsAlert.lock(), [weak](ui::ModalResponse) {
        if (auto document = weak.lock()) document->exportErrorsShown_ = false;
    });
}

void Document::closeExportErrorsAlert(const std::shared_ptr<core::Object>&)
{
    outlets_.mainWindow.lock()->endSheet(outlets_.exportErrorsAlert.lock());
}

void Document::showExportMenu(const std::shared_ptr<core::Object>&)
{
    exportMenu_ = core::make<ui::Menu>();
    auto& menu = exportMenu_;
    const auto self = sharedAs<Document>();
    for (const auto& [key, action] : {std::pair{"Menu.File.ExportSelection", actions::exportAsImage},
                                      std::pair{"Menu.File.ExportAll", actions::exportAllAsImage}}) {
        auto formats = makeImageFormatMenu(action);
        for (const auto& item : formats->items())
            item->setTarget(self);
        menu->addItem(interfaceText(key), "", "")->setSubmenu(formats);
    }
    menu->addItem(interfaceText("Menu.File.ExportAllAsGIF"), actions::exportAllAsGIF, "")->setTarget(self);
    // Under the button's bottom left corner.
    const gfx::Point corner = outlets_.exportButton.lock()->convertPointTo({0, 0}, nullptr);
    const auto event = ui::Event::mouseEvent(ui::EventType::leftMouseDown, corner, 0, 0,
                                             outlets_.mainWindow.lock()->windowNumber(), 1, 1);
    ui::Menu::popUpContextMenu(menu, event, outlets_.exportButton.lock());
}

void Document::selectAll(const std::shared_ptr<core::Object>&) { snapsManager_->selectAll(); }

void Document::deselectAll(const std::shared_ptr<core::Object>&) { snapsManager_->deselectAll(); }

void Document::removeSelection(const std::shared_ptr<core::Object>&) { snapsManager_->removeSelection(); }

void Document::removeAll(const std::shared_ptr<core::Object>&) { snapsManager_->removeAll(); }

bool Document::validateUserInterfaceItem(const ui::ValidatedUserInterfaceItem& item)
{
    const ui::Action action = item.action();
    const bool playable = isPlayable();
    const std::size_t count = snapsManager_ ? snapsManager_->items().size() : 0;
    const bool selection = snapsManager_ && !snapsManager_->isSelectionEmpty();
    if (action == ui::actions::selectAll) return playable && !snapsManager_->isAllSelected() && count > 0;
    if (action == actions::deselectAll || action == actions::removeSelection || action == actions::exportAsImage)
        return playable && selection;
    if (action == actions::removeAll || action == actions::exportAllAsImage || action == actions::exportAllAsGIF)
        return playable && count > 0;
    if (action == actions::snapImage || action == actions::showGeneratorPopover) return playable && !isBusy(state_);
    if (action == actions::copySelectedItem) return playable && snapsManager_->isSelectionSingle();
    return ui::Document::validateUserInterfaceItem(item);
}

}  // namespace vistrel
