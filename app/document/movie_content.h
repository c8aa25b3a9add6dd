// Which files are movies: told by reading them, whatever their names, so that a DVD's .vob, an MXF file or a
// movie named .dat opens and a text named .mp4 does not. Where a folder's files are searched, their names are
// the first guess: pictures, sounds, texts and documents are passed over unread.
#pragma once

#include <optional>
#include <string>

#include "platform/core/url.h"

namespace vistrel {

// Why the file is not a movie, in words that follow "because"; nullopt when it is one. Reading waits as long
// as a document waits for its movie to open (Document::nextOpeningWait): a file that has not answered by then
// (a hung network mount) is taken for a movie when its name says it is one, and its document opens waiting for
// it; another is refused. Main thread only.
std::optional<std::string> whyNotAMovie(const core::Url& url);

// The first guess for a file found in a searched folder, from its name alone: its extension declares a movie
// type, or no type at all. Reads nothing; safe from any thread.
bool mayBeAMovie(const core::Url& url);

}  // namespace vistrel
