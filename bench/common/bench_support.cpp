#include "bench/common/bench_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/core/main_loop.h"
#include "tools/testmovie/test_movie.h"

namespace bench {

void fail(const std::string& why)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, why.c_str());
    std::exit(1);
}

void serveUntil(const std::function<bool()>& done, double limitSeconds, const std::string& what)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(limitSeconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) fail(what);
        core::MainLoop::processEvents(0.0005);
    }
}

double secondsTaken(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Turns bestInTurns(const std::function<void()>& ours, const std::function<void()>& theirs)
{
    return bestInTurns([] {}, ours, theirs);
}

Turns bestInTurns(const std::function<void()>& prepare, const std::function<void()>& ours,
                  const std::function<void()>& theirs)
{
    constexpr int rounds = 3;
    Turns turns{1e300, 1e300, {}, {}};
    for (int round = 0; round < rounds; ++round) {
        prepare();
        const CpuTime ownBefore = ownCpuTime();
        turns.ours = std::min(turns.ours, secondsTaken(ours));
        turns.oursCpu = turns.oursCpu + (ownCpuTime() - ownBefore);
        const CpuTime childrenBefore = childrenCpuTime();
        turns.theirs = std::min(turns.theirs, secondsTaken(theirs));
        turns.theirsCpu = turns.theirsCpu + (childrenCpuTime() - childrenBefore);
    }
    turns.oursCpu = turns.oursCpu / rounds;
    turns.theirsCpu = turns.theirsCpu / rounds;
    return turns;
}

void printTurns(const std::string& name, const Turns& turns)
{
    std::printf("ratio %s %.3f\n", name.c_str(), turns.ratio());
    printCpuSeconds(name, turns.oursCpu, turns.theirsCpu);
}

pid_t launch(const std::vector<std::string>& arguments)
{
    pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> argv;
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

void awaitSuccess(pid_t child, const std::string& what)
{
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: %s failed\n", program_invocation_short_name, what.c_str());
        std::exit(1);
    }
}

void run(const std::vector<std::string>& arguments) { awaitSuccess(launch(arguments), arguments.at(0)); }

void makeMovie(const std::string& path, int seconds)
{
    pid_t child = fork();
    if (child == 0) {
        testmovie::MovieSpec spec;
        spec.width = 1920;
        spec.height = 1080;
        spec.rateNum = 30;
        spec.rateDen = 1;
        spec.frameCount = seconds * 30;
        spec.keyInterval = 250;
        spec.texture = true;
        try {
            testmovie::writeMovie(path, spec);
        } catch (const testmovie::Failure& failure) {
            std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, failure.what());
            _exit(1);
        }
        _exit(0);
    }
    awaitSuccess(child, "making the movie");
}

std::string cachedMovie(int seconds, const std::string& extension)
{
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bench-movies";
    std::filesystem::create_directories(folder);
    const std::string stem = "h264-1080p-" + std::to_string(seconds) + "s";
    const std::filesystem::path path = folder / (stem + "." + extension);
    if (std::filesystem::exists(path)) return path.string();
    // Made under another name and renamed when whole, so that an interrupted run leaves nothing half made.
    const std::filesystem::path making = folder / ("making-" + stem + "." + extension);
    if (extension == "mkv")
        makeMovie(making.string(), seconds);
    else
        run({ffmpegTool, "-nostdin", "-v", "error", "-y", "-i", cachedMovie(seconds, "mkv"), "-c", "copy",
             making.string()});
    std::filesystem::rename(making, path);
    return path.string();
}

double median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace bench
