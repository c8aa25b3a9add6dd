// The kinds of tracks a movie holds.
#pragma once

namespace media {

enum class MediaType {
    video,
    audio,
    subtitle,
    other,
};

}  // namespace media
