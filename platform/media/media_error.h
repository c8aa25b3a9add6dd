// The error domain and codes of the media layer's failures.
#pragma once

namespace media {

inline constexpr const char* errorDomain = "media";

enum ErrorCode {
    // The file is not a movie the layer reads, or holds no video that decodes.
    noVideo = -11800,
    // The time asked for lies outside the movie.
    timeOutOfRange = -11801,
    // The frame could not be decoded or converted.
    decodeFailed = -11802,
};

}  // namespace media
