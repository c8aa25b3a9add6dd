// Bytes as the platform layer passes them around, and whole-file reading and atomic writing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace core {

class Url;

using Data = std::vector<std::uint8_t>;

Data dataFromString(const std::string& text);

// The whole file, or nullopt when it cannot be read.
std::optional<Data> readData(const std::string& path);

// The whole file as text, or nullopt when it cannot be read or is not valid UTF-8.
std::optional<std::string> readUTF8(const std::string& path);

// Writes to a temporary file in the same folder, then renames it over the target (the file a link there
// points to): the target is either the old file or the complete new one, never a part, also when the process
// is killed meanwhile. False when any step fails (nothing is left behind then).
bool writeAtomically(const Data& data, const std::string& path);
bool writeAtomically(const Data& data, const Url& url);
// The file a path names once links are followed, even to where nothing is yet; the path itself when the links
// go round in circles.
std::filesystem::path followingLinks(const std::filesystem::path& path);

}  // namespace core
