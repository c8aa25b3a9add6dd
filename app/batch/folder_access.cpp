#include "app/batch/folder_access.h"

#include <cerrno>
#include <cstring>

#include "platform/core/unpublished_file.h"

namespace vistrel {

std::optional<std::string> whyNotWritable(const core::Url& folder)
{
    if (!folder.isFileURL()) return std::string(std::strerror(EINVAL));
    errno = 0;
    if (core::UnpublishedFile::create(folder.path(), "write-check")) return std::nullopt;
    return std::string(std::strerror(errno != 0 ? errno : EACCES));
}

}  // namespace vistrel
