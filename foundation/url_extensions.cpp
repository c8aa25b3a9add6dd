#include "foundation/url_extensions.h"

#include "platform/core/home_folder.h"
#include "platform/core/type_identifier.h"

namespace kestrane {

std::optional<FileUTI> UTI(const core::Url& url) { return FileUTI::fromFileExtension(url.pathExtension()); }

bool conformsToUTIID(const core::Url& url, const std::string& id)
{
    const auto uti = UTI(url);
    return uti && uti->conformsToUTIID(id);
}

bool conformsToUTI(const core::Url& url, const FileUTI& uti) { return conformsToUTIID(url, uti.rawValue()); }

bool conformsToMovieUTI(const core::Url& url) { return conformsToUTIID(url, core::TypeIdentifier::movie); }

std::optional<std::string> lastPathTitle(const core::Url& url)
{
    return url.deletingPathExtension().lastPathComponent();
}

std::string abbreviatedPath(const core::Url& url)
{
    const std::string path = url.path();
    const std::string abbreviated = core::abbreviatingWithTilde(path);
    if (abbreviated != path) return abbreviated;
    return core::abbreviatingWithTilde(path, core::accountHomeDirectory());
}

namespace URL {

std::vector<core::Url> URLsFromPaths(const std::vector<std::string>& paths)
{
    std::vector<core::Url> urls;
    urls.reserve(paths.size());
    for (const std::string& path : paths)
        urls.push_back(core::Url::fileURL(path));
    return urls;
}

std::vector<std::string> URLsToPaths(const std::vector<core::Url>& urls)
{
    std::vector<std::string> paths;
    paths.reserve(urls.size());
    for (const core::Url& url : urls)
        paths.push_back(url.path());
    return paths;
}

}  // namespace URL

}  // namespace kestrane
