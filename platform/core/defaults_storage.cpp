#include "platform/core/defaults_storage.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/core/kept_aside.h"
#include "platform/core/property_list.h"
#include "platform/core/unpublished_file.h"
#include "platform/core/user_notices.h"

namespace core {

namespace {

std::string reasonOf(int error) { return std::system_category().message(error); }

}  // namespace

std::optional<Dictionary> FileDefaultsStorage::load()
{
    UnpublishedFile::removeLeftovers(std::filesystem::path(path_).parent_path().string());
    int error = 0;
    const auto bytes = readRegularFile(path_, largestFile, &error);
    if (!bytes) {
        if (error != ENOENT && error != ENOTDIR) keepAside(reasonOf(error));
        return std::nullopt;
    }
    const auto value = PropertyList::read(*bytes);
    if (!value || !value->dictionaryPointer()) {
        keepAside("it is damaged or of another kind");
        return std::nullopt;
    }
    return *value->dictionaryPointer();
}

void FileDefaultsStorage::keepAside(const std::string& problem)
{
    int error = 0;
    const auto keptAs = keepAsideUnreadable(path_, &error);
    keptBack_ = !keptAs;
    UserNotices::post({"Your settings could not be read, so the program starts with its own.",
                       keptAs ? "The settings file (" + problem + ") was kept as \"" + *keptAs + "\"."
                              : "The settings file \"" + path_ + "\" (" + problem +
                                    ") is left as it is and nothing is saved over it: it could not be moved (" +
                                    reasonOf(error) + ")."});
}

std::string FileDefaultsStorage::keepCopyAside()
{
    int error = 0;
    const auto bytes = readRegularFile(path_, largestFile, &error);
    const auto keptAs = bytes ? core::keepCopyAside(path_, *bytes, &error) : std::nullopt;
    if (keptAs) return "The settings file as it was is kept as \"" + *keptAs + "\".";
    return "No copy of the settings file \"" + path_ + "\" could be kept (" + reasonOf(error) + ").";
}

bool FileDefaultsStorage::save(const Dictionary& values)
{
    if (keptBack_) {
        failureReason_ = "the unreadable settings file \"" + path_ + "\" is in the way";
        return false;
    }
    std::error_code folderError;
    const auto folder = std::filesystem::path(path_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, folderError);
    const auto bytes = PropertyList::write(Value(values));
    if (!bytes) {
        failureReason_ = "a value cannot be stored";
        return false;
    }
    int error = 0;
    if (writeAtomically(*bytes, path_, error)) return true;
    failureReason_ = "\"" + path_ + "\": " + reasonOf(error);
    return false;
}

}  // namespace core
