#include "platform/ui/program_handover.h"

#include <cstdint>

namespace ui {

namespace {

constexpr std::size_t headerSize = 4;

}  // namespace

std::string encodeHandover(const std::vector<std::string>& paths)
{
    std::string body;
    for (const auto& path : paths) {
        body += path;
        body += '\0';
    }
    const auto length = std::uint32_t(body.size());
    std::string message;
    for (int shift = 24; shift >= 0; shift -= 8)
        message += char((length >> shift) & 0xff);
    return message + body;
}

HandoverReading readHandover(std::string_view bytes)
{
    using Status = HandoverReading::Status;
    if (bytes.size() < headerSize) return {};
    std::size_t length = 0;
    for (std::size_t i = 0; i < headerSize; ++i)
        length = (length << 8) | std::uint8_t(bytes[i]);
    if (length > largestHandover) return {Status::broken, {}};
    const std::string_view body = bytes.substr(headerSize);
    if (body.size() < length) return {};
    if (body.size() > length || (length > 0 && body.back() != '\0')) return {Status::broken, {}};
    HandoverReading reading{Status::complete, {}};
    for (std::size_t start = 0; start < body.size();) {
        const std::size_t end = body.find('\0', start);
        if (end == start) return {Status::broken, {}};
        reading.paths.emplace_back(body.substr(start, end - start));
        start = end + 1;
    }
    return reading;
}

}  // namespace ui
