// The user's home folder and login name, and paths written with "~" in place of the home folder.
// Safe from any thread.
#pragma once

#include <string>

namespace core {

// The home folder the program runs with ($HOME, else the user's account home), without a trailing slash.
std::string homeDirectory();

// The user's videos folder (XDG_VIDEOS_DIR, else ~/Videos) when it exists, else the home folder.
std::string moviesDirectory();

// The home folder of the user's account in the password database, which a sandbox's $HOME may hide.
std::string accountHomeDirectory();

// The path with a leading home folder written as "~" ("/home/ann/Movies" -> "~/Movies", "/home/ann" -> "~").
// Only a whole leading component counts: "/home/anna/x" and "/data/home/ann/x" come back unchanged.
std::string abbreviatingWithTilde(const std::string& path);
// The same with the given folder as the home folder.
std::string abbreviatingWithTilde(const std::string& path, const std::string& home);

// The login name of the user running the program; "" when it cannot be found.
std::string userName();

}  // namespace core
