// How movies reach the program besides the open panel: files and folders handed over by the desktop (the
// command line) and dropped on the drop window open as documents, folders walked, each movie file a new
// document with its window shown (the same file twice gives two documents); and how many open documents are
// busy, which quitting asks about. Main thread only.
#pragma once

#include <vector>

#include "platform/core/url.h"
#include "platform/ui/document_controller.h"

namespace vistrel {

// Open documents that are exporting, restoring or generating.
int processingDocumentsCount(const ui::DocumentController& controller);
// Opens the file as a new document and shows its window; a failure is printed as one line, nothing opens.
void openDocument(ui::DocumentController& controller, const core::Url& url);
// Opens every movie file among the URLs and inside the folders, in order; other files are skipped.
void openDocuments(ui::DocumentController& controller, const std::vector<core::Url>& urls);

}  // namespace vistrel
