#include "foundation/bundle_info.h"

#include <charconv>
#include <cmath>

#include "foundation/constants.h"
#include "platform/core/print.h"

namespace kestrane {

namespace {

// A component's value; 0 when it is not wholly a finite decimal number.
double componentValue(const std::string& component)
{
    const char* first = component.data();
    const char* last = first + component.size();
    if (first != last && *first == '+') ++first;
    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (first == last || result.ec != std::errc() || result.ptr != last || !std::isfinite(value)) return 0;
    return value;
}

}  // namespace

std::string name(const core::Bundle& bundle)
{
    const auto value = stringForInfoDictionaryKey(bundle, BundleNameKey);
    if (!value) core::fatalError("Bundle should have a name");
    return *value;
}

std::string versionString(const core::Bundle& bundle)
{
    const auto value = stringForInfoDictionaryKey(bundle, BundleVersionKey);
    if (!value) core::fatalError("Bundle should have a version with format XXX.XXX.XXX");
    return *value;
}

double versionNumber(const core::Bundle& bundle)
{
    const std::string version = versionString(bundle);
    double number = 0;
    double weight = 1;
    std::size_t start = 0;
    while (true) {
        const auto dot = version.find('.', start);
        number += componentValue(version.substr(start, dot - start)) * weight;
        if (dot == std::string::npos) break;
        weight /= 1000;
        start = dot + 1;
    }
    return number;
}

std::optional<bool> autosaveIsEnable(const core::Bundle& bundle)
{
    return boolForInfoDictionaryKey(bundle, BundleAutosaveKey);
}

std::optional<core::Url> appStoreURL(const core::Bundle& bundle)
{
    return urlForInfoDictionaryKey(bundle, BundleAppStoreKey);
}

std::optional<core::Url> websiteURL(const core::Bundle& bundle)
{
    return urlForInfoDictionaryKey(bundle, BundleWebsiteKey);
}

std::optional<std::string> supportMail(const core::Bundle& bundle)
{
    return stringForInfoDictionaryKey(bundle, BundleSupportMailKey);
}

std::optional<core::Url> compagnyAppStoreURL(const core::Bundle& bundle)
{
    return urlForInfoDictionaryKey(bundle, BundleCompagnyAppStoreKey);
}

std::optional<core::Url> compagnyWebsiteURL(const core::Bundle& bundle)
{
    return urlForInfoDictionaryKey(bundle, BundleCompagnyWebsiteKey);
}

std::optional<std::string> compagnyMail(const core::Bundle& bundle)
{
    return stringForInfoDictionaryKey(bundle, BundleCompagnyMailKey);
}

std::string local(const core::Bundle& bundle, const std::string& key) { return bundle.localizedString(key, "", ""); }

std::string localPlural(const core::Bundle& bundle, const std::string& key, std::int64_t count)
{
    const std::string form = key + (count == 1 ? ".one" : ".other");
    const std::string format = local(bundle, form);
    return core::localizedFormat(format == form ? local(bundle, key) : format, count);
}

std::optional<core::Url> urlForPLISTResource(const core::Bundle& bundle, const std::string& name,
                                             const std::string& subdirectory)
{
    return bundle.urlForResource(name, "plist", subdirectory);
}

std::optional<core::Url> urlForHTMLResource(const core::Bundle& bundle, const std::string& name,
                                            const std::string& subdirectory)
{
    return bundle.urlForResource(name, "html", subdirectory);
}

std::optional<core::Value> numberForInfoDictionaryKey(const core::Bundle& bundle, const std::string& key)
{
    auto value = bundle.infoValue(key);
    if (!value || !value->isNumber()) return std::nullopt;
    return value;
}

std::optional<std::string> stringForInfoDictionaryKey(const core::Bundle& bundle, const std::string& key)
{
    const auto value = bundle.infoValue(key);
    return value ? value->string() : std::nullopt;
}

std::optional<core::Url> urlForInfoDictionaryKey(const core::Bundle& bundle, const std::string& key)
{
    const auto text = stringForInfoDictionaryKey(bundle, key);
    return text ? core::Url::fromString(*text) : std::nullopt;
}

std::optional<bool> boolForInfoDictionaryKey(const core::Bundle& bundle, const std::string& key)
{
    const auto number = numberForInfoDictionaryKey(bundle, key);
    return number ? number->asBool() : std::nullopt;
}

}  // namespace kestrane
