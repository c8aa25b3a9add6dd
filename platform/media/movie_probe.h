// Whether a file holds a movie, told by its content, whatever its name: a movie is a file FFmpeg reads with
// a video track that is not a cover picture. When it is not, the probe says why, in words a user reads after
// "because". It reads the file's start only (up to a few megabytes), and blocks for as long as reading does
// (a file of a hung network mount blocks for good). Safe from any thread.
#pragma once

#include <string>

#include "platform/core/url.h"

namespace media {

enum class MovieVerdict {
    movie,
    missing,     // nothing is at the path
    unreadable,  // the file cannot be read (no permission, an input/output error)
    folder,      // a folder, not a file
    empty,       // a file of no bytes
    notAMovie,   // content in no format FFmpeg reads, or read as a still picture or as text
    damaged,     // its format is known, but its tracks cannot be read
    noVideo,     // read, but without a video track (sound only, subtitles, nothing)
};

struct MovieProbe {
    MovieVerdict verdict = MovieVerdict::movie;
    // Why the file is not a movie ("it is empty", "it has no video track, only sound (MPEG-PS ...)"); empty
    // for a movie.
    std::string reason;

    bool isMovie() const { return verdict == MovieVerdict::movie; }
};

MovieProbe probeMovie(const core::Url& url);

}  // namespace media
