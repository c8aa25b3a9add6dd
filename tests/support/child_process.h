// Runs one test of the calling test executable in a child process, for tests that kill a writer or read back
// what another process left.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace testsupport {

// Starts this executable again to run the child entry of that name (child_entry.h), with these variables added
// to the environment; -1 when it cannot be started. A child that is killed leaves its temporary folders behind:
// give it a TMPDIR of the test's own to have them removed.
pid_t spawnSelf(const std::string& entry, const std::vector<std::pair<std::string, std::string>>& variables);

// Waits for the child to end; its wait status.
int waitForExit(pid_t pid);

}  // namespace testsupport
