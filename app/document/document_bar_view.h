// The row of the document window between the movie and the snaps strip: the snaps label at the left, the
// snap button in the middle (while busy, the spinner and the progress label in its place), the generator
// button right of it, and the export and share buttons at the right end. It lays its controls out again at
// every width, so that none covers another down to the window's smallest width (640 points). Main thread
// only.
#pragma once

#include <memory>

#include "platform/ui/view.h"

namespace vistrel {

class Document;

class DocumentBarView : public ui::View {
public:
    DocumentBarView(const gfx::Rect& frame, std::weak_ptr<Document> document);

    void resizeSubviewsWithOldSize(const gfx::Size& oldSize) override;
    // Places the document's row controls for the current width.
    void layoutControls();

private:
    std::weak_ptr<Document> document_;
};

}  // namespace vistrel
