// A location: a file on disk or any other absolute URL. A value type; file URLs keep their path exactly,
// and their text form is "file://" followed by the percent-encoded path.
#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace core {

class Url {
public:
    Url() = default;

    // A strictly valid absolute URL, or nullopt (spaces and other unencoded characters are refused).
    static std::optional<Url> fromString(const std::string& text);
    // A file URL; a relative path is taken from the current folder.
    static Url fileURL(const std::string& path);

    bool isEmpty() const { return text_.empty(); }
    bool isFileURL() const;
    std::string scheme() const;
    // The decoded path ("/home/ann/Movies/a b.mov").
    std::string path() const;
    std::string absoluteString() const { return text_; }
    std::string lastPathComponent() const;
    // The text after the last dot of the last component; "" when there is none or the name starts with it.
    std::string pathExtension() const;

    Url deletingLastPathComponent() const;
    Url deletingPathExtension() const;
    Url appendingPathComponent(const std::string& component) const;
    Url appendingPathExtension(const std::string& extension) const;

    friend bool operator==(const Url&, const Url&) = default;
    friend auto operator<=>(const Url&, const Url&) = default;

private:
    explicit Url(std::string text) : text_(std::move(text)) {}
    Url withPath(const std::string& path) const;

    std::string text_;
};

}  // namespace core

template <>
struct std::hash<core::Url> {
    std::size_t operator()(const core::Url& url) const noexcept
    {
        return std::hash<std::string>()(url.absoluteString());
    }
};
