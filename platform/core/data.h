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

// The whole file when it is a regular file (links followed) of at most `limit` bytes; nullopt otherwise,
// without reading a FIFO, a device or a folder, nor more than `limit` + 1 bytes of anything. `error` (when
// given) gets the system's error number: ENOENT when nothing is there, EINVAL for what is not a regular file,
// EFBIG for a bigger file.
std::optional<Data> readRegularFile(const std::string& path, std::size_t limit, int* error = nullptr);

// The whole file as text, or nullopt when it cannot be read or is not valid UTF-8.
std::optional<std::string> readUTF8(const std::string& path);

// Writes to a temporary file in the same folder, then renames it over the target (the file a link there
// points to): the target is either the old file or the complete new one, never a part, also when the process
// is killed meanwhile. A device, FIFO or socket there is never replaced. False when any step fails (nothing
// is left behind then).
[[nodiscard]] bool writeAtomically(const Data& data, const std::string& path);
[[nodiscard]] bool writeAtomically(const Data& data, const Url& url);
// The file a path names once links are followed, even to where nothing is yet; the path itself when the links
// go round in circles.
std::filesystem::path followingLinks(const std::filesystem::path& path);

// The same; when it fails, `error` gets the system's error number of the step that failed.
[[nodiscard]] bool writeAtomically(const Data& data, const std::string& path, int& error);

}  // namespace core
