// The views of a document window that its document and the document's parts use, set by the interface as the
// window is built; weak, for the window holds them. A plain value of the main thread.
#pragma once

#include <memory>

#include "platform/ui/button.h"
#include "platform/ui/progress_indicator.h"
#include "platform/ui/text_field.h"
#include "platform/ui/text_view.h"
#include "platform/ui/window.h"

namespace orvalis {
class MovieViewController;
}

namespace vistrel {

class FlashMovieView;
class SnapsView;

struct DocumentOutlets {
    std::weak_ptr<orvalis::MovieViewController> movieViewController;
    std::weak_ptr<FlashMovieView> movieView;
    std::weak_ptr<ui::Window> mainWindow;
    std::weak_ptr<SnapsView> snapsView;
    std::weak_ptr<ui::Button> snapButton;
    std::weak_ptr<ui::Button> exportButton;
    std::weak_ptr<ui::Button> shareButton;
    std::weak_ptr<ui::Button> generatorButton;
    std::weak_ptr<ui::TextField> snapsField;
    std::weak_ptr<ui::View> unplayableLabel;
    std::weak_ptr<ui::TextField> progressLabel;
    std::weak_ptr<ui::ProgressIndicator> progressIndicator;
    std::weak_ptr<ui::Window> exportErrorsAlert;
    std::weak_ptr<ui::TextView> exportErrorsTextView;
};

}  // namespace vistrel
