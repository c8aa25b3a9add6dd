// Whether a naming template can name the image files of a batch, and if not, why, in words for the user: the
// preferences pane refuses such a template, and a launch refuses to start with one. Any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/url.h"

namespace vistrel {

// The longest file name the file systems take, in bytes.
inline constexpr std::size_t maxFileNameBytes = 255;

// Empty when the template can name the frames of the movie (a sample movie when none is given); otherwise
// why not: it holds a character the settings cannot keep, it makes an empty name, a hidden file's name (starting with
// "."), a name longer than maxFileNameBytes, a name that does not end with "." and the extension of the image's
// format (the image extension token), or, when the movie gives more than one frame, the same name for all of
// them (it has no time and no index token).
std::string namingTemplateProblem(const std::vector<std::string>& markups, std::int64_t framesPerMovie = 1,
                                  const std::optional<core::Url>& movie = std::nullopt);

// The template batch tasks name their files with: the user's ("BatchOutputMarkups"), else the default one.
std::vector<std::string> batchNamingTemplate();

}  // namespace vistrel
