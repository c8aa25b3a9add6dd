#include "platform/core/url.h"

#include <QDir>
#include <QUrl>
#include <filesystem>

namespace core {

namespace {

QUrl toQUrl(const std::string& text) { return QUrl(QString::fromStdString(text), QUrl::StrictMode); }

std::string encoded(const QUrl& url) { return url.toString(QUrl::FullyEncoded).toStdString(); }

// The last component of a path, ignoring a trailing slash; "/" for the root.
std::string lastComponent(const std::string& path)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (trimmed == "/") return trimmed;
    const auto slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

// Where the extension's dot stands in the last component, or npos.
std::size_t extensionDot(const std::string& component)
{
    const auto dot = component.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == component.size()) return std::string::npos;
    return dot;
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

std::optional<Url> Url::fromString(const std::string& text)
{
    if (text.empty()) return std::nullopt;
    const QUrl url = toQUrl(text);
    if (!url.isValid() || url.scheme().isEmpty()) return std::nullopt;
    return Url(encoded(url));
}

Url Url::fileURL(const std::string& path)
{
    std::string absolute = path;
    if (absolute.empty() || absolute.front() != '/')
        absolute = (std::filesystem::current_path() / path).lexically_normal().string();
    return Url(encoded(QUrl::fromLocalFile(QString::fromStdString(absolute))));
}

bool Url::isFileURL() const { return scheme() == "file"; }

std::string Url::scheme() const { return toQUrl(text_).scheme().toStdString(); }

std::string Url::path() const { return toQUrl(text_).path(QUrl::FullyDecoded).toStdString(); }

std::string Url::lastPathComponent() const { return lastComponent(path()); }

std::string Url::pathExtension() const
{
    const std::string component = lastPathComponent();
    const auto dot = extensionDot(component);
    return dot == std::string::npos ? std::string() : component.substr(dot + 1);
}

Url Url::withPath(const std::string& path) const
{
    QUrl url = toQUrl(text_);
    url.setPath(QString::fromStdString(path), QUrl::DecodedMode);
    return Url(encoded(url));
}

Url Url::deletingLastPathComponent() const
{
    const std::string current = withoutTrailingSlashes(path());
    if (current.empty() || current == "/") return withPath(current.empty() ? "" : "/");
    const auto slash = current.rfind('/');
    if (slash == std::string::npos) return withPath("");
    return withPath(current.substr(0, slash + 1));
}

Url Url::deletingPathExtension() const
{
    std::string current = path();
    const bool trailingSlash = current.size() > 1 && current.back() == '/';
    current = withoutTrailingSlashes(current);
    const std::string component = lastComponent(current);
    const auto dot = extensionDot(component);
    if (dot == std::string::npos) return *this;
    current.erase(current.size() - component.size() + dot);
    return withPath(trailingSlash ? current + "/" : current);
}

Url Url::appendingPathComponent(const std::string& component) const
{
    std::string current = path();
    if (current.empty() || current.back() != '/') current += '/';
    std::string addition = component;
    while (!addition.empty() && addition.front() == '/')
        addition.erase(addition.begin());
    return withPath(current + addition);
}

Url Url::appendingPathExtension(const std::string& extension) const
{
    std::string current = path();
    const bool trailingSlash = current.size() > 1 && current.back() == '/';
    current = withoutTrailingSlashes(current);
    current += "." + extension;
    return withPath(trailingSlash ? current + "/" : current);
}

}  // namespace core
