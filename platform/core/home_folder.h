// The user's home folder and login name, and paths written with "~" in place of the home folder.
// Safe from any thread.
#pragma once

#include <string>

namespace core {

// The home folder ($HOME, else the password database), without a trailing slash.
std::string homeDirectory();

// The path with a leading home folder written as "~" ("/home/ann/Movies" -> "~/Movies", "/home/ann" -> "~").
// Only a whole leading component counts: "/home/anna/x" and "/data/home/ann/x" come back unchanged.
std::string abbreviatingWithTilde(const std::string& path);

// The login name of the user running the program; "" when it cannot be found.
std::string userName();

}  // namespace core
