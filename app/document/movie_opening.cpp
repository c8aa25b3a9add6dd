#include "app/document/movie_opening.h"

#include <algorithm>

#include "app/document/document.h"
#include "app/document/movie_content.h"
#include "foundation/bundle_info.h"
#include "foundation/file_manager_extensions.h"
#include "foundation/shortcuts.h"
#include "foundation/url_extensions.h"
#include "platform/core/error.h"
#include "platform/core/print.h"
#include "platform/core/user_notices.h"

namespace vistrel {

int processingDocumentsCount(const ui::DocumentController& controller)
{
    const auto& documents = controller.documents();
    return int(std::count_if(documents.begin(), documents.end(), [](const std::shared_ptr<ui::Document>& document) {
        auto movieDocument = std::dynamic_pointer_cast<Document>(document);
        return movieDocument && isBusy(movieDocument->state());
    }));
}

std::optional<std::string> openDocument(ui::DocumentController& controller, const core::Url& url)
{
    try {
        controller.openDocumentWithContentsOf(url, true);
        return std::nullopt;
    } catch (const core::Error& error) {
        core::print(error.message());
        return error.message();
    }
}

void openDocuments(ui::DocumentController& controller, const std::vector<core::Url>& urls)
{
    auto& fm = *kestrane::FM.get();
    std::string refused;
    kestrane::enumerateFiles(fm, urls, [&](const core::Url& url) {
        const bool named = std::find(urls.begin(), urls.end(), url) != urls.end();
        if (!named && (kestrane::contentExists(fm, url).isDir || !mayBeAMovie(url))) return;
        const auto failure = openDocument(controller, url);
        // What a folder holds besides its movies is no one's business, unless its name says it is a movie.
        if (failure && (named || kestrane::conformsToMovieUTI(url))) refused += *failure + "\n";
    });
    if (refused.empty()) return;
    refused.pop_back();
    core::UserNotices::post(
        {kestrane::local(*kestrane::MB.get(), "AppController.CannotOpenAlert.MessageText"), refused});
}

}  // namespace vistrel
