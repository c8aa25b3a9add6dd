#include "platform/core/defaults_storage.h"

#include <filesystem>

#include "platform/core/property_list.h"

namespace core {

std::optional<Dictionary> FileDefaultsStorage::load()
{
    const auto value = PropertyList::read(Url::fileURL(path_));
    if (!value || !value->dictionaryPointer()) return std::nullopt;
    return *value->dictionaryPointer();
}

bool FileDefaultsStorage::save(const Dictionary& values)
{
    std::error_code error;
    const auto folder = std::filesystem::path(path_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    return PropertyList::write(Value(values), Url::fileURL(path_));
}

}  // namespace core
