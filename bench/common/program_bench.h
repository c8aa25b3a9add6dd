// Runs benchmarks inside the program on the offscreen display: in a folder of their own with fresh settings and
// data and the 60 s test movie ("movie.mp4"), with the program's bundle, once the application has launched.
// Main thread.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace bench {

// `benchmarks` is given the folder; its result is the process's exit status. The folder is removed at the end
// and the process ends there: the documents' windows need no orderly goodbye.
int runInProgram(const std::string& name, char* program,
                 const std::function<int(const std::filesystem::path& folder)>& benchmarks);

}  // namespace bench
