// A bundle: a folder of resources with an Info.plist, localized strings tables in <language>.lproj folders and
// resources found by name. Each deliverable's bundle is the folder <Name>.bundle next to the binaries; the main
// bundle is <executable's folder>/<executable's name>.bundle. Immutable once made: safe from any thread.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/mutex.h"
#include "platform/core/strings_table.h"
#include "platform/core/url.h"
#include "platform/core/value.h"

namespace core {

class Bundle {
public:
    // The application's bundle; it exists even when its folder does not (with an empty Info dictionary).
    static std::shared_ptr<const Bundle> main();
    // Points main() at another bundle, for tests; null restores the executable's own.
    static void setMain(std::shared_ptr<const Bundle> bundle);
    // The bundle <name>.bundle next to the executable (without resources when there is no such folder).
    static std::shared_ptr<const Bundle> named(const std::string& name);
    // The bundle at a folder; null when the folder does not exist.
    static std::shared_ptr<const Bundle> atPath(const std::string& path);

    // The languages whose .lproj folders are searched, most preferred first: the user's interface
    // languages, then "en".
    static std::vector<std::string> preferredLanguages();

    explicit Bundle(std::string path);

    const std::string& path() const { return path_; }
    Url url() const { return Url::fileURL(path_); }
    // "CFBundleIdentifier" of the Info dictionary.
    std::optional<std::string> identifier() const;
    const Dictionary& infoDictionary() const { return info_; }
    // The Info value for the key, taken from the localized InfoPlist.strings when it has the key.
    std::optional<Value> infoValue(const std::string& key) const;

    // The resource <name>.<ext> (or <name> when ext is empty) in subdir, first in the bundle's own folder, then
    // in the .lproj folders of the preferred languages; nullopt when it does not exist.
    std::optional<Url> urlForResource(const std::string& name, const std::string& ext,
                                      const std::string& subdir = "") const;

    // The string for the key in the table ("Localizable" when empty) of the first preferred language that has
    // it; else `value` when it is not empty, else the key itself.
    std::string localizedString(const std::string& key, const std::string& value = "",
                                const std::string& table = "") const;

private:
    std::optional<std::string> lookUp(const std::string& key, const std::string& table) const;
    const std::vector<StringsTable>& tables(const std::string& table) const REQUIRES(mutex_);

    std::string path_;
    Dictionary info_;
    mutable Mutex mutex_;  // guards the tables read so far
    mutable std::map<std::string, std::vector<StringsTable>> tables_ GUARDED_BY(mutex_);
};

}  // namespace core
