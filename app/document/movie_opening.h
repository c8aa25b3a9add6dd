// How movies reach the program besides the open panel: files and folders handed over by the desktop (the
// command line) and dropped on the drop window open as documents, folders walked, each movie file a new
// document with its window shown (the same file twice gives two documents); the files that could not be
// opened are named in one alert, each with why; and how many open documents are busy, which quitting asks
// about. Main thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/url.h"
#include "platform/ui/document_controller.h"

namespace vistrel {

// Open documents that are exporting, restoring or generating.
int processingDocumentsCount(const ui::DocumentController& controller);
// Opens the file as a new document and shows its window. A failure is printed as one line and given back (a
// sentence naming the file and saying why), and nothing opens.
std::optional<std::string> openDocument(ui::DocumentController& controller, const core::Url& url);
// Opens every movie among the URLs and inside the folders, in order; movies are told by their content (see
// movie_content.h). Every file named in the URLs that is no movie, and every file in the folders whose name
// says it is a movie but is not, is named with why in one alert (core::UserNotices, which the application
// shows); the folders' other files are skipped.
void openDocuments(ui::DocumentController& controller, const std::vector<core::Url>& urls);

}  // namespace vistrel
