#include "platform/ui/document.h"

#include <random>

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

std::string Document::newSessionIdentifier()
{
    static std::random_device device;
    static const char digits[] = "0123456789abcdef";
    std::string identifier;
    for (int word = 0; word < 4; ++word) {
        const unsigned bits = device();
        for (int shift = 28; shift >= 0; shift -= 4)
            identifier += digits[(bits >> shift) & 0xf];
    }
    return identifier;
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
