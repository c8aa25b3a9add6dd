#include "appkit/application_extensions.h"

#include "foundation/constants.h"
#include "foundation/shortcuts.h"

namespace kestrane {

std::vector<std::string> supportedFileExtensions(const ui::Application&)
{
    return supportedFileExtensions(MB->infoDictionary());
}

std::vector<std::string> supportedFileExtensions(const core::Dictionary& info)
{
    std::vector<std::string> extensions;
    const auto* types = info.find(BundleDocumentTypesKey);
    if (!types || !types->arrayPointer()) return extensions;
    for (const auto& type : *types->arrayPointer()) {
        const auto* entry = type.dictionaryPointer();
        const auto* list = entry ? entry->find(BundleTypeExtensionsKey) : nullptr;
        if (!list || !list->arrayPointer()) continue;
        for (const auto& extension : *list->arrayPointer())
            if (auto text = extension.string()) extensions.push_back(*text);
    }
    return extensions;
}

}  // namespace kestrane
