// What a track's samples are: their media type, codec and, for video, coded picture size.
#pragma once

#include "platform/gfx/rect.h"
#include "platform/media/media_type.h"

#include <string>

namespace media {

struct FormatDescription {
    MediaType mediaType = MediaType::other;
    // FFmpeg's short codec name ("h264", "prores", "aac", …).
    std::string codecName;
    // Coded width and height in pixels; 0 × 0 for tracks without pictures.
    int width = 0;
    int height = 0;

    // The picture area to show: the whole coded frame (origin top-left or bottom-left gives the same rect).
    gfx::Rect cleanAperture(bool originIsAtTopLeft) const;

    friend bool operator==(const FormatDescription&, const FormatDescription&) = default;
};

}  // namespace media
