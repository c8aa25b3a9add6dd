// The file extensions of movies and of sound files, in the order open panels offer them.
#pragma once

#include <string>
#include <vector>

namespace kestrane {

inline const std::vector<std::string> AVVideoExtensions = {"mov", "qt",   "mp4",  "m4v", "3g",
                                                           "3g2", "3gp2", "3gpp", "sdv", "4k"};

inline const std::vector<std::string> AVAudioExtensions = {"au",  "snd", "mp3", "ac3", "amr",  "wav",  "wave",
                                                           "bwf", "m4a", "caf", "aif", "aiff", "aifc", "cdda"};

}  // namespace kestrane
