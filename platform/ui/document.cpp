#include "platform/ui/document.h"

#include "platform/ui/document_controller.h"
#include "platform/ui/window_controller.h"

namespace ui {

void Document::makeWindowControllers()
{
    const std::string nib = windowNibName();
    if (nib.empty()) return;
    auto controller = core::make<WindowController>(nib);
    controller->setNibOwner(shared_from_this());
    addWindowController(controller);
}

void Document::invalidateRestorableState()
{
    if (auto controller = DocumentController::sharedIfMade()) controller->scheduleSessionSave();
}

std::string Document::displayName() const { return fileURL_ ? fileURL_->lastPathComponent() : std::string("Untitled"); }

void Document::addWindowController(const std::shared_ptr<WindowController>& controller)
{
    if (!controller) return;
    controllers_.push_back(controller);
    controller->setDocument(sharedAs<Document>());
}

void Document::showWindows()
{
    auto controllers = controllers_;
    for (auto& controller : controllers)
        controller->showWindow(shared_from_this());
}

void Document::close()
{
    auto self = sharedAs<Document>();
    auto controllers = std::move(controllers_);
    controllers_.clear();
    for (auto& controller : controllers)
        controller->close();
    if (auto controller = DocumentController::sharedIfMade()) {
        controller->removeDocument(this);
        controller->scheduleSessionSave();
    }
}

}  // namespace ui
