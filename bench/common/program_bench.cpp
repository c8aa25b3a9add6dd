#include "bench/common/program_bench.h"

#include "bench/common/bench_support.h"
#include "platform/core/bundle.h"
#include "platform/core/dispatch_queue.h"
#include "platform/ui/application.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace bench {

namespace {

class Delegate : public ui::ApplicationDelegate {
public:
    Delegate(std::filesystem::path folder, std::function<int(const std::filesystem::path&)> benchmarks)
        : folder_(std::move(folder)), benchmarks_(std::move(benchmarks))
    {
    }
    void applicationDidFinishLaunching() override
    {
        core::DispatchQueue::main()->async([this] {
            const int result = benchmarks_(folder_);
            std::fflush(stdout);
            std::filesystem::remove_all(folder_);
            std::_Exit(result);
        });
    }

private:
    std::filesystem::path folder_;
    std::function<int(const std::filesystem::path&)> benchmarks_;
};

}  // namespace

int runInProgram(const std::string& name, char* program,
                 const std::function<int(const std::filesystem::path& folder)>& benchmarks)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const auto folder = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "config");
    std::filesystem::create_directories(folder / "data");
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    makeMovie((folder / "movie.mp4").string(), 60);
    // The program's own bundle: its pictures and texts.
    core::Bundle::setMain(core::Bundle::named("Vistrel"));
    char* only[] = {program, nullptr};
    ui::Application::shared()->run(1, only, std::make_shared<Delegate>(folder, benchmarks));
    return 1;  // the loop ended before the benchmarks did
}

}  // namespace bench
