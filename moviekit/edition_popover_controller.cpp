#include "moviekit/edition_popover_controller.h"

#include "appkit/controller_extensions.h"
#include "moviekit/movie_actions.h"
#include "platform/core/main_thread.h"

namespace orvalis {

const std::shared_ptr<EditionPopoverController>& EditionPopoverController::sharedController()
{
    static const auto* shared = new std::shared_ptr<EditionPopoverController>(core::make<EditionPopoverController>());
    return *shared;
}

EditionPopoverController::EditionPopoverController() : PopoverController("EditionPopoverView") {}

void EditionPopoverController::awake()
{
    PopoverController::awake();
    registerInterfaceFile(nibName());
    kestrane::forceLoadIfNeeded(*this);
    registerCommand(actions::rotateLeft, &EditionPopoverController::rotateLeft);
    registerCommand(actions::rotateRight, &EditionPopoverController::rotateRight);
    registerCommand(actions::flipHorizontally, &EditionPopoverController::flipHorizontally);
    registerCommand(actions::flipVertically, &EditionPopoverController::flipVertically);
}

void EditionPopoverController::changeEdition(void (Edition::*change)())
{
    core::assertMainThread();
    if (auto movie = this->movie()) movie->changeEdition([change](Edition& edition) { (edition.*change)(); });
}

void EditionPopoverController::rotateLeft() { changeEdition(&Edition::rotateLeft); }
void EditionPopoverController::rotateRight() { changeEdition(&Edition::rotateRight); }
void EditionPopoverController::flipHorizontally() { changeEdition(&Edition::flipHorizontally); }
void EditionPopoverController::flipVertically() { changeEdition(&Edition::flipVertically); }

void EditionPopoverController::popoverWillClose(ui::Popover&) { setMovie(nullptr); }

}  // namespace orvalis
