#include "foundation/file_manager_extensions.h"

#include <algorithm>
#include <cerrno>

#include "foundation/bundle_info.h"
#include "foundation/listing_order.h"
#include "foundation/shortcuts.h"
#include "platform/core/error.h"
#include "platform/core/unpublished_file.h"

namespace kestrane {

core::Url numberedName(const core::Url& url, long i)
{
    if (i < 0) return url;
    const std::string extension = url.pathExtension();
    const std::string base = url.deletingPathExtension().lastPathComponent();
    const core::Url numbered =
        url.deletingLastPathComponent().appendingPathComponent(base + " (" + std::to_string(i) + ")");
    return extension.empty() ? numbered : numbered.appendingPathExtension(extension);
}

namespace {

bool isTaken(const core::FileManager& fm, const core::Url& url) { return fm.fileExists(url.path()); }

}  // namespace

void tryToRemoveItem(core::FileManager&, const core::Url& url)
{
    try {
        FM->removeItem(url);
    } catch (const core::Error&) {
    }
}

ContentExistence contentExists(const core::FileManager& fm, const core::Url& url)
{
    bool isDir = false;
    const bool exist = fm.fileExists(url.path(), &isDir);
    return {exist, isDir};
}

core::Url alternative(const core::FileManager& fm, const core::Url& url)
{
    return alternative(fm, url, [](const core::Url&) { return false; });
}

core::Url alternative(const core::FileManager& fm, const core::Url& url,
                      const std::function<bool(const core::Url&)>& alsoTaken, long from)
{
    for (long i = std::max(from, -1L);; ++i) {
        const core::Url candidate = numberedName(url, i);
        if (!isTaken(fm, candidate) && !alsoTaken(candidate)) return candidate;
    }
}

core::Url alternative(const core::FileManager&, const std::string& name, const core::Url& folder)
{
    return alternative(*FM.get(), folder.appendingPathComponent(name));
}

std::optional<core::Url> writeToFreeName(core::FileManager& fm, const core::Url& url,
                                         const std::function<std::optional<core::Data>()>& bytes, int* error)
{
    int ignored = 0;
    int& failure = error ? *error : ignored;
    failure = EINVAL;
    if (!url.isFileURL()) return std::nullopt;
    // The error number is taken at each failure, before the file's clean-up may change it.
    errno = 0;
    auto file = core::UnpublishedFile::create(url.deletingLastPathComponent().path(), url.lastPathComponent());
    if (!file) {
        failure = errno ? errno : EIO;
        return std::nullopt;
    }
    const std::optional<core::Data> data = bytes();
    if (!data) {
        failure = 0;
        return std::nullopt;
    }
    errno = 0;
    std::optional<core::Url> written = file->write(*data) ? publishToFreeName(fm, *file, url) : std::nullopt;
    if (!written) failure = errno ? errno : EIO;
    return written;
}

std::optional<core::Url> publishToFreeName(core::FileManager& fm, core::UnpublishedFile& file, const core::Url& url)
{
    for (long i = -1;; ++i) {
        const core::Url candidate = numberedName(url, i);
        if (isTaken(fm, candidate)) continue;
        switch (file.publishAsNew(candidate.path())) {
        case core::NewFileResult::created:
            return candidate;
        case core::NewFileResult::exists:
            continue;
        case core::NewFileResult::failed:
            return std::nullopt;
        }
    }
}

std::optional<core::Url> applicationsSupportDirectoryURL(const core::FileManager& fm)
{
    const std::vector<core::Url> folders = fm.applicationSupportDirectories();
    if (folders.empty()) return std::nullopt;
    return folders.front();
}

std::optional<core::Url> bundleSupportDirectoryURL(const core::FileManager& fm)
{
    const auto support = applicationsSupportDirectoryURL(fm);
    if (!support) return std::nullopt;
    return support->appendingPathComponent(name(*MB.get()));
}

void createDirectory(core::FileManager& fm, const core::Url& url) { fm.createDirectory(url, true); }

core::Url createDirectory(core::FileManager& fm, const core::Url& url, const std::string& appendPathComponent)
{
    const core::Url folder = url.appendingPathComponent(appendPathComponent);
    createDirectory(fm, folder);
    return folder;
}

std::optional<core::Url> createBundleSupportDirectory(core::FileManager& fm)
{
    return createBundleSupportDirectoryWithComponent(fm, "");
}

std::optional<core::Url> createBundleSupportDirectoryWithComponent(core::FileManager& fm, const std::string& component)
{
    const auto folder = bundleSupportDirectoryURL(fm);
    if (!folder) return std::nullopt;
    try {
        return createDirectory(fm, *folder, component);
    } catch (const core::Error&) {
        return std::nullopt;
    }
}

std::shared_ptr<core::DirectoryEnumerator> dirEnumerator(core::FileManager& fm, const core::Url& url,
                                                         core::DirectoryEnumerationOptions options)
{
    return fm.enumerator(url, options, [](const std::string& a, const std::string& b) { return listsBefore(a, b); });
}

void enumerateFiles(core::FileManager& fm, const std::vector<core::Url>& urls,
                    const std::function<void(const core::Url&)>& block)
{
    for (const core::Url& url : urls) {
        if (!contentExists(fm, url).isDir) {
            block(url);
            continue;
        }
        const auto enumerator = dirEnumerator(fm, url, core::DirectoryEnumerationOptions::skipsHiddenFiles);
        if (!enumerator) continue;
        while (const auto item = enumerator->next())
            block(*item);
    }
}

}  // namespace kestrane
