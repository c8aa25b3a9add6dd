#include "tests/support/child_process.h"

#include "tests/support/child_entry.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace testsupport {

pid_t spawnSelf(const std::string& entry, const std::vector<std::pair<std::string, std::string>>& variables)
{
    std::vector<std::string> environment;
    for (const auto& [name, value] : variables)
        environment.push_back(name + "=" + value);
    for (char** entry = environ; *entry; ++entry)
        environment.emplace_back(*entry);
    std::vector<char*> envp;
    for (auto& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = "/proc/self/exe";
    std::string entryArgument = childEntryFlag + entry;
    char* argv[] = {program.data(), entryArgument.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
    return pid;
}

int waitForExit(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace testsupport
