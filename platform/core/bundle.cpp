#include "platform/core/bundle.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <filesystem>

#include "platform/core/property_list.h"

namespace fs = std::filesystem;

namespace core {

namespace {

fs::path executablePath()
{
    std::error_code error;
    const fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : path;
}

std::shared_ptr<const Bundle> executableBundle()
{
    const fs::path executable = executablePath();
    return std::make_shared<Bundle>((executable.parent_path() / (executable.filename().string() + ".bundle")).string());
}

struct MainSlot {
    Mutex mutex;  // guards the bundle
    std::shared_ptr<const Bundle> bundle GUARDED_BY(mutex);
};

MainSlot& mainSlot()
{
    static MainSlot slot;
    return slot;
}

Dictionary readInfo(const fs::path& folder)
{
    const auto value = PropertyList::read(Url::fileURL((folder / "Info.plist").string()));
    const Dictionary* info = value ? value->dictionaryPointer() : nullptr;
    return info ? *info : Dictionary();
}

void addLanguage(std::vector<std::string>& languages, const std::string& language)
{
    if (!language.empty() && std::find(languages.begin(), languages.end(), language) == languages.end())
        languages.push_back(language);
}

bool resourceExists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

}  // namespace

std::shared_ptr<const Bundle> Bundle::main()
{
    MutexLock lock(mainSlot().mutex);
    if (!mainSlot().bundle) mainSlot().bundle = executableBundle();
    return mainSlot().bundle;
}

void Bundle::setMain(std::shared_ptr<const Bundle> bundle)
{
    MutexLock lock(mainSlot().mutex);
    mainSlot().bundle = std::move(bundle);
}

std::shared_ptr<const Bundle> Bundle::named(const std::string& name)
{
    return std::make_shared<Bundle>((executablePath().parent_path() / (name + ".bundle")).string());
}

std::shared_ptr<const Bundle> Bundle::atPath(const std::string& path)
{
    std::error_code error;
    if (!fs::is_directory(path, error)) return nullptr;
    return std::make_shared<Bundle>(path);
}

std::vector<std::string> Bundle::preferredLanguages()
{
    std::vector<std::string> languages;
    for (const QString& language : QLocale::system().uiLanguages()) {
        const std::string tag = language.toStdString();
        std::string underscored = tag;
        std::replace(underscored.begin(), underscored.end(), '-', '_');
        addLanguage(languages, tag);
        addLanguage(languages, underscored);
        addLanguage(languages, tag.substr(0, tag.find('-')));
    }
    addLanguage(languages, "en");
    return languages;
}

Bundle::Bundle(std::string path) : path_(std::move(path)), info_(readInfo(path_)) {}

std::optional<std::string> Bundle::identifier() const
{
    const Value* value = info_.find("CFBundleIdentifier");
    return value ? value->string() : std::nullopt;
}

std::optional<Value> Bundle::infoValue(const std::string& key) const
{
    if (auto localized = lookUp(key, "InfoPlist")) return Value(*localized);
    const Value* value = info_.find(key);
    if (!value) return std::nullopt;
    return *value;
}

std::optional<Url> Bundle::urlForResource(const std::string& name, const std::string& ext,
                                          const std::string& subdir) const
{
    if (name.empty()) return std::nullopt;
    const std::string file = ext.empty() ? name : name + "." + ext;
    std::vector<fs::path> folders{fs::path(path_)};
    for (const auto& language : preferredLanguages())
        folders.push_back(fs::path(path_) / (language + ".lproj"));
    for (const auto& folder : folders) {
        const fs::path candidate = (subdir.empty() ? folder : folder / subdir) / file;
        if (resourceExists(candidate)) return Url::fileURL(candidate.string());
    }
    return std::nullopt;
}

std::string Bundle::localizedString(const std::string& key, const std::string& value, const std::string& table) const
{
    if (auto found = lookUp(key, table.empty() ? "Localizable" : table)) return *found;
    return value.empty() ? key : value;
}

std::optional<std::string> Bundle::lookUp(const std::string& key, const std::string& table) const
{
    MutexLock lock(mutex_);
    for (const auto& strings : tables(table)) {
        const auto found = strings.find(key);
        if (found != strings.end()) return found->second;
    }
    return std::nullopt;
}

// The table in each preferred language that has it, then the unlocalized one; read once, kept for later.
const std::vector<StringsTable>& Bundle::tables(const std::string& table) const
{
    const auto cached = tables_.find(table);
    if (cached != tables_.end()) return cached->second;
    std::vector<StringsTable> found;
    std::vector<fs::path> files;
    for (const auto& language : preferredLanguages())
        files.push_back(fs::path(path_) / (language + ".lproj") / (table + ".strings"));
    files.push_back(fs::path(path_) / (table + ".strings"));
    for (const auto& file : files) {
        const auto bytes = readData(file.string());
        if (!bytes) continue;
        if (auto strings = parseStringsTable(*bytes)) found.push_back(std::move(*strings));
    }
    return tables_.emplace(table, std::move(found)).first->second;
}

}  // namespace core
