// What a bundle's Info.plist says about its program (name, version, links, mail addresses), its localized
// strings with formatting, and its property-list and HTML resources. Safe from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/core/bundle.h"
#include "platform/core/format.h"
#include "platform/core/url.h"
#include "platform/core/value.h"

namespace kestrane {

// "CFBundleName"; a bundle without one stops the program ("Bundle should have a name").
std::string name(const core::Bundle& bundle);
// "CFBundleVersion"; a bundle without one stops the program.
std::string versionString(const core::Bundle& bundle);
// The version as one number: each "."-separated component weighs 1000 times less than the one before
// ("1.2.3" is 1.002003); a component that is not a number counts as 0.
double versionNumber(const core::Bundle& bundle);

std::optional<bool> autosaveIsEnable(const core::Bundle& bundle);
std::optional<core::Url> appStoreURL(const core::Bundle& bundle);
std::optional<core::Url> websiteURL(const core::Bundle& bundle);
std::optional<std::string> supportMail(const core::Bundle& bundle);
std::optional<core::Url> compagnyAppStoreURL(const core::Bundle& bundle);
std::optional<core::Url> compagnyWebsiteURL(const core::Bundle& bundle);
std::optional<std::string> compagnyMail(const core::Bundle& bundle);

// The localized string of the key in the bundle's default table; the key itself when it has none.
std::string local(const core::Bundle& bundle, const std::string& key);

// The localized string of the key used as a format for the arguments, in order.
template <class... Args>
std::string local(const core::Bundle& bundle, const std::string& key, const Args&... arguments)
{
    return core::localizedFormat(local(bundle, key), arguments...);
}

// The localized format of the key's plural form for `count` ("key.one" for 1, "key.other" otherwise) filled
// with the count; the key's own format when the table has no such form.
std::string localPlural(const core::Bundle& bundle, const std::string& key, std::int64_t count);

std::optional<core::Url> urlForPLISTResource(const core::Bundle& bundle, const std::string& name,
                                             const std::string& subdirectory = "");
std::optional<core::Url> urlForHTMLResource(const core::Bundle& bundle, const std::string& name,
                                            const std::string& subdirectory = "");

// Info values of one kind (localized values preferred); nullopt when absent or of another kind.
std::optional<core::Value> numberForInfoDictionaryKey(const core::Bundle& bundle, const std::string& key);
std::optional<std::string> stringForInfoDictionaryKey(const core::Bundle& bundle, const std::string& key);
// The string value read as a URL; nullopt also when it is not a valid URL (spaces included).
std::optional<core::Url> urlForInfoDictionaryKey(const core::Bundle& bundle, const std::string& key);
std::optional<bool> boolForInfoDictionaryKey(const core::Bundle& bundle, const std::string& key);

}  // namespace kestrane
