// What the program asks of a URL beyond the URL's own members: its file type and whether it is a movie,
// its title, its path for display, and conversions between lists of paths and URLs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/file_uti.h"
#include "platform/core/url.h"

namespace kestrane {

// The type of the URL's path extension; nullopt when the extension names none. Reads nothing from disk.
std::optional<FileUTI> UTI(const core::Url& url);
bool conformsToUTIID(const core::Url& url, const std::string& id);
bool conformsToUTI(const core::Url& url, const FileUTI& uti);
bool conformsToMovieUTI(const core::Url& url);

// The last path component without its extension ("Holiday.final.mov" -> "Holiday.final"); always a value.
std::optional<std::string> lastPathTitle(const core::Url& url);

// The path with the home folder written as "~": the home the program runs with, else (in a sandbox whose
// home is elsewhere) the user's account home. Only a leading whole home folder is replaced.
std::string abbreviatedPath(const core::Url& url);

namespace URL {

std::vector<core::Url> URLsFromPaths(const std::vector<std::string>& paths);
std::vector<std::string> URLsToPaths(const std::vector<core::Url>& urls);

}  // namespace URL

}  // namespace kestrane
