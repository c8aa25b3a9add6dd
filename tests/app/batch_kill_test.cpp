// A batch killed at any moment leaves only whole images and logs: its writer runs in a child process that the
// test kills while frames are being written.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <thread>

#include "tests/app/batch_fixture.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/child_entry.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr char childVariable[] = "VISTREL_BATCH_KILL_TEST";
// Frames 1 to 29 of the 3 s test movie, one every tenth of a second.
constexpr int frameCount = 29;

// The frame a batch image of the default name "<title>-HH-MM-SS-mmm[ (i)].png" must show; -1 for any other name.
int frameNamed(const std::string& name)
{
    const std::string prefix = "clip-";
    if (!name.starts_with(prefix) || !name.ends_with(".png")) return -1;
    const std::string time = name.substr(prefix.size(), 12);
    int hours = 0, minutes = 0, seconds = 0, milliseconds = 0;
    if (std::sscanf(time.c_str(), "%2d-%2d-%2d-%3d", &hours, &minutes, &seconds, &milliseconds) != 4) return -1;
    const int total = ((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds;
    return total * batchtest::rate / 1000;
}

bool isLogName(const std::string& name)
{
    return name == "clip-logs.txt" || (name.starts_with("clip-logs (") && name.ends_with(").txt"));
}

// Checks that every item of the folder is a whole image showing the frame its name gives, a whole log, or a
// temporary file named as one (hidden, ".part"); the frames of the images found.
std::multiset<int> expectOnlyWholeFiles(const fs::path& folder)
{
    std::multiset<int> frames;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        if (name.starts_with(".") && name.ends_with(".part")) continue;
        if (!entry.is_regular_file() || entry.file_size() == 0) {
            ADD_FAILURE() << "an empty file, or no file";
            continue;
        }
        if (isLogName(name)) {
            const std::string log = batchtest::readText(entry.path());
            EXPECT_EQ(log.rfind("File url    : ", 0), 0u);
            EXPECT_NE(log.find("\nSize        : 0.0 (no limit)\n\n"), std::string::npos) << "a partial log";
            continue;
        }
        const int expected = frameNamed(name);
        EXPECT_GE(expected, 1) << "a file that is no output of the batch";
        EXPECT_EQ(batchtest::frameIndexIn(entry.path()), expected) << "a partial image or the wrong frame";
        frames.insert(expected);
    }
    return frames;
}

std::size_t itemsIn(const fs::path& folder)
{
    std::error_code error;
    return std::size_t(std::distance(fs::directory_iterator(folder, error), fs::directory_iterator()));
}

}  // namespace

// Run only by the tests below, in a child process: two tasks write every frame of the movie into the folder
// (both under the same names), with logs, taking free names or replacing files as asked.
CHILD_ENTRY(BatchKillChild, RunsABatch)
{
    const char* variable = std::getenv(childVariable);
    ASSERT_NE(variable, nullptr);
    std::istringstream fields(variable);
    std::string movie, folder, alternative;
    std::getline(fields, movie, '\n');
    std::getline(fields, folder, '\n');
    std::getline(fields, alternative, '\n');
    std::vector<std::shared_ptr<vistrel::BatchTask>> tasks;
    for (int i = 0; i < 2; ++i) {
        auto task = batchtest::makeTask(movie, folder, batchtest::everyTenths(1, 30));
        task->setShouldWriteLog(true);
        task->setUseAlternativeName(alternative == "1");
        task->start();
        tasks.push_back(task);
    }
    ASSERT_TRUE(batchtest::runUntilFinished(tasks));
}

TEST(BatchKill, ABatchKilledAtAnyMomentLeavesOnlyWholeFiles)
{
    testsupport::TempDir movies{"movies"};
    testsupport::TempDir out{"out"};
    // The children's own temporary folders, which a killed child leaves behind.
    testsupport::TempDir children{"children"};
    const std::string movie = batchtest::makeMovie(movies.path(), "clip.mp4");
    const auto spawn = [&](bool alternative) {
        return testsupport::spawnSelf(
            "BatchKillChild.RunsABatch",
            {{childVariable, movie + "\n" + out.path().string() + "\n" + (alternative ? "1" : "0")},
             {"TMPDIR", children.path().string()}});
    };
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const bool alternative = round % 2 == 0;
        const std::size_t before = itemsIn(out.path());
        const pid_t child = spawn(alternative);
        ASSERT_GT(child, 0);
        // Kill it once a random number of new files have come, a random fraction of a frame later.
        const std::size_t wanted = before + random() % (alternative ? 2 * frameCount : frameCount);
        int status = 0;
        bool ended = false;
        testsupport::runUntil([&] {
            ended = ended || waitpid(child, &status, WNOHANG) == child;
            return ended || itemsIn(out.path()) >= wanted;
        });
        if (!ended) {
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
            kill(child, SIGKILL);
            status = testsupport::waitForExit(child);
        }
        EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << status;
        expectOnlyWholeFiles(out.path());
    }
    // The next run, left to finish, writes every frame next to what the killed ones left.
    const int status = testsupport::waitForExit(spawn(true));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::multiset<int> frames = expectOnlyWholeFiles(out.path());
    for (int k = 1; k <= frameCount; ++k)
        EXPECT_GE(frames.count(k), 2u) << "frame " << k;
}
