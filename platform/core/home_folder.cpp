#include "platform/core/home_folder.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace core {

namespace {

// The password-database entry of the current user, handed to `field`; "" when there is none.
template <class Field>
std::string passwordEntry(Field field)
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return "";
    const char* text = field(*found);
    return text ? text : "";
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

std::string homeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home && *home) return withoutTrailingSlashes(home);
    return accountHomeDirectory();
}

std::string accountHomeDirectory()
{
    return withoutTrailingSlashes(passwordEntry([](const passwd& entry) { return entry.pw_dir; }));
}

std::string abbreviatingWithTilde(const std::string& path) { return abbreviatingWithTilde(path, homeDirectory()); }

std::string abbreviatingWithTilde(const std::string& path, const std::string& folder)
{
    const std::string home = withoutTrailingSlashes(folder);
    if (home.empty() || home == "/") return path;
    if (path.compare(0, home.size(), home) != 0) return path;
    if (path.size() > home.size() && path[home.size()] != '/') return path;
    const std::string rest = withoutTrailingSlashes(path.substr(home.size()));
    return rest == "/" ? "~" : "~" + rest;
}

std::string userName()
{
    std::string name = passwordEntry([](const passwd& entry) { return entry.pw_name; });
    if (!name.empty()) return name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

std::string moviesDirectory()
{
    const QString videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (!videos.isEmpty() && QFileInfo(videos).isDir()) return videos.toStdString();
    return homeDirectory();
}

}  // namespace core
