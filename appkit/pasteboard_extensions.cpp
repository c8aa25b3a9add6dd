#include "appkit/pasteboard_extensions.h"

#include <algorithm>

namespace kestrane {

bool containsType(const ui::Pasteboard& pasteboard, const std::string& type)
{
    const auto types = pasteboard.types();
    return std::find(types.begin(), types.end(), type) != types.end();
}

std::optional<std::vector<std::string>> stringsForType(const ui::Pasteboard& pasteboard, const std::string& type)
{
    const auto list = pasteboard.propertyList(type);
    const auto* items = list ? list->arrayPointer() : nullptr;
    if (!items) return std::nullopt;
    std::vector<std::string> strings;
    for (const auto& item : *items) {
        auto text = item.string();
        if (!text) return std::nullopt;
        strings.push_back(*text);
    }
    return strings;
}

std::vector<std::string> pastedFilenames(const ui::Pasteboard& pasteboard)
{
    if (!containsType(pasteboard, ui::PasteboardType::filenames)) return {};
    return stringsForType(pasteboard, ui::PasteboardType::filenames).value_or(std::vector<std::string>{});
}

std::vector<core::Url> pastedFileURLs(const ui::Pasteboard& pasteboard)
{
    std::vector<core::Url> urls;
    for (const auto& path : pastedFilenames(pasteboard))
        urls.push_back(core::Url::fileURL(path));
    return urls;
}

}  // namespace kestrane
