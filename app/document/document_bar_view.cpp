#include "app/document/document_bar_view.h"

#include <algorithm>
#include <cmath>

#include "app/document/document.h"
#include "app/document/document_window_interface.h"
#include "platform/ui/button.h"
#include "platform/ui/progress_indicator.h"
#include "platform/ui/text_field.h"

namespace vistrel {

namespace {

constexpr double margin = 12;
constexpr double snapSide = 40;
constexpr double buttonHeight = 28;
constexpr double generatorWidth = 96;
constexpr double sideButtonWidth = 80;
constexpr double labelHeight = 18;
constexpr double spinnerSide = 20;
// The progress label ends where the snap button does; the spinner sits just left of it.
constexpr double progressWidth = 140;
constexpr double snapsFieldWidth = 240;

void place(const std::shared_ptr<ui::View>& view, const gfx::Rect& frame)
{
    if (view) view->setFrame(frame);
}

}  // namespace

DocumentBarView::DocumentBarView(const gfx::Rect& frame, std::weak_ptr<Document> document)
    : View(frame), document_(std::move(document))
{
}

void DocumentBarView::resizeSubviewsWithOldSize(const gfx::Size&) { layoutControls(); }

void DocumentBarView::layoutControls()
{
    const auto document = document_.lock();
    if (!document) return;
    const double width = bounds().width();
    const double middle = std::round(width / 2);
    const double height = documentBarHeight;
    const double rowY = (height - buttonHeight) / 2;

    place(document->outlets().snapButton.lock(), {middle - snapSide / 2, (height - snapSide) / 2, snapSide, snapSide});
    place(document->outlets().generatorButton.lock(),
          {middle + snapSide / 2 + margin, rowY, generatorWidth, buttonHeight});
    const double progressX = middle + snapSide / 2 - progressWidth;
    place(document->outlets().progressLabel.lock(), {progressX, rowY + 5, progressWidth, labelHeight});
    const double spinnerX = progressX - 6 - spinnerSide;
    place(document->outlets().progressIndicator.lock(), {spinnerX, rowY + 4, spinnerSide, spinnerSide});
    place(document->outlets().snapsField.lock(),
          {margin, rowY + 5, std::clamp(spinnerX - 2 * margin, 0.0, snapsFieldWidth), labelHeight});
    const double shareX = width - margin - sideButtonWidth;
    place(document->outlets().shareButton.lock(), {shareX, rowY, sideButtonWidth, buttonHeight});
    place(document->outlets().exportButton.lock(),
          {shareX - margin - sideButtonWidth, rowY, sideButtonWidth, buttonHeight});
}

}  // namespace vistrel
