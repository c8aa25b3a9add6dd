#include "app/document/movie_opening.h"

#include <algorithm>

#include "app/document/document.h"
#include "foundation/file_manager_extensions.h"
#include "foundation/shortcuts.h"
#include "foundation/url_extensions.h"
#include "platform/core/error.h"
#include "platform/core/print.h"

namespace vistrel {

int processingDocumentsCount(const ui::DocumentController& controller)
{
    const auto& documents = controller.documents();
    return int(std::count_if(documents.begin(), documents.end(), [](const std::shared_ptr<ui::Document>& document) {
        auto movieDocument = std::dynamic_pointer_cast<Document>(document);
        return movieDocument && isBusy(movieDocument->state());
    }));
}

void openDocument(ui::DocumentController& controller, const core::Url& url)
{
    try {
        controller.openDocumentWithContentsOf(url, true);
    } catch (const core::Error& error) {
        core::print(error.message());
    }
}

void openDocuments(ui::DocumentController& controller, const std::vector<core::Url>& urls)
{
    kestrane::enumerateFiles(*kestrane::FM.get(), urls, [&](const core::Url& url) {
        if (kestrane::conformsToMovieUTI(url)) openDocument(controller, url);
    });
}

}  // namespace vistrel
