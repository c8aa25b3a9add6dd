#include "tests/support/ffmpeg_tool.h"

#include <filesystem>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

void runTool(const std::vector<std::string>& command)
{
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& a : command)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the ffmpeg tool could not make " + command.back());
}

void runFfmpeg(const std::string& input, const std::vector<std::string>& arguments, const std::string& output)
{
    std::vector<std::string> command = {"/usr/bin/ffmpeg", "-nostdin", "-y", "-v", "error", "-i", input};
    command.insert(command.end(), arguments.begin(), arguments.end());
    command.push_back(output);
    runTool(command);
}

std::string copyStoredTurned(const std::string& source, int degrees, const std::string& destination)
{
    const auto tagged = [](int turn) {
        return std::vector<std::string>{"-c", "copy", "-metadata:s:v:0", "rotate=" + std::to_string(turn)};
    };
    const std::string inverse = destination + ".inverse.mp4", turned = destination + ".turned.mp4";
    // The ffmpeg tool turns the frames as the opposite tag asks; tagged anew, they turn back upright.
    runFfmpeg(source, tagged((360 - degrees) % 360), inverse);
    runFfmpeg(inverse, {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-crf", "12", "-fps_mode", "passthrough"}, turned);
    runFfmpeg(turned, tagged(degrees), destination);
    std::filesystem::remove(inverse);
    std::filesystem::remove(turned);
    return destination;
}

}  // namespace testsupport
