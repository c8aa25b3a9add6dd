#include "tests/app/batch_fixture.h"

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>

#include <gtest/gtest.h>

#include "app/document/defaults_keys.h"
#include "foundation/image_encoding.h"
#include "foundation/shortcuts.h"
#include "platform/core/bundle.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/notification_bus.h"
#include "tools/testmovie/test_movie.h"

namespace batchtest {

namespace {

// Every test of this program shares one process-wide frame limit, read once: two frames at a time.
class BatchEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        kestrane::Defaults[vistrel::BatchManagerConcurrentCountKey] = 2;
        // Notices and file managers stay off the session of whoever runs the tests: on the bus a test gave
        // its child, else on none.
        const char* testBus = std::getenv(testsupport::testBusVariable);
        setenv("DBUS_SESSION_BUS_ADDRESS", testBus ? testBus : "disabled:", 1);
        core::Bundle::setMain(core::Bundle::named("Vistrel"));
    }
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new BatchEnvironment);

// The tasks made since the last TasksEnd went; main thread.
std::vector<std::weak_ptr<EndingTask>>& madeTasks()
{
    static std::vector<std::weak_ptr<EndingTask>> tasks;
    return tasks;
}

// The live tasks, counted under their lock; never destroyed, as a task's thread may outlive a test.
struct LiveTasks {
    std::mutex mutex;
    int count = 0;
};

LiveTasks& liveTasks()
{
    static auto* live = new LiveTasks;
    return *live;
}

int liveTaskCount()
{
    std::lock_guard lock(liveTasks().mutex);
    return liveTasks().count;
}

}  // namespace

std::string makeMovie(const std::filesystem::path& folder, const std::string& name)
{
    testmovie::MovieSpec spec;
    spec.rateNum = rate;
    spec.rateDen = 1;
    spec.frameCount = 3 * rate;
    spec.keyInterval = 8;
    const std::string path = (folder / name).string();
    testmovie::writeMovie(path, spec);
    return path;
}

orvalis::TimeSplitter everyTenths(int everyTenths, int rangeTenths, bool includeStart, bool includeEnd)
{
    orvalis::TimeSplitter splitter(media::TimeRange{media::Time::zero(), media::Time::make(rangeTenths, rate)});
    splitter.interval = media::Time::make(everyTenths, rate);
    splitter.includeStart = includeStart;
    splitter.includeEnd = includeEnd;
    return splitter;
}

LiveTask::LiveTask()
{
    std::lock_guard lock(liveTasks().mutex);
    ++liveTasks().count;
}

LiveTask::~LiveTask()
{
    std::lock_guard lock(liveTasks().mutex);
    --liveTasks().count;
}

std::shared_ptr<EndingTask> makeTask(const std::string& moviePath, const std::filesystem::path& folder,
                                     const orvalis::TimeSplitter& splitter)
{
    auto task = std::make_shared<EndingTask>(orvalis::Movie::create(core::Url::fileURL(moviePath)),
                                             core::Url::fileURL(folder.string()));
    task->setSplitter(splitter);
    endWithTest(task);
    return task;
}

void endWithTest(const std::shared_ptr<EndingTask>& task) { madeTasks().push_back(task); }

TasksEnd::~TasksEnd()
{
    auto& tasks = madeTasks();
    for (const auto& weak : tasks)
        if (auto task = weak.lock()) task->cancel();
    // The count, not the weak pointers, tells: seeing a pointer expire does not order the test after what the
    // task's thread did last, such as reading objects that the end of the process destroys.
    const bool released = testsupport::runUntil([] { return liveTaskCount() == 0; });
    EXPECT_TRUE(released) << "a task's thread still holds it";
    tasks.clear();
}

std::vector<std::string> fileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int frameIndexIn(const std::filesystem::path& file)
{
    const gfx::ImageRef image = kestrane::CGImage::image(core::Url::fileURL(file.string()));
    return image ? testmovie::readFrameIndex(*image) : -1;
}

std::string readText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool runUntilFinished(const std::vector<std::shared_ptr<vistrel::BatchTask>>& tasks, double timeout)
{
    return testsupport::runUntil(
        [&] { return std::all_of(tasks.begin(), tasks.end(), [](const auto& t) { return t->isFinished(); }); },
        timeout);
}

FramesHeld::FramesHeld()
{
    for (int i = 0; i < 2; ++i)
        vistrel::BatchTurns::concurrencySemaphore().wait();
}

FramesHeld::~FramesHeld()
{
    for (int i = 0; i < 2; ++i)
        vistrel::BatchTurns::concurrencySemaphore().signal();
}

void RecordingDelegate::check(vistrel::BatchManager& manager)
{
    if (std::this_thread::get_id() != mainThread_) offMainThread = true;
    if (manager.counts().sum() != int(manager.tasks().size())) ++unbalanced;
}

void RecordingDelegate::batchManagerDidAppendTasks(vistrel::BatchManager& manager)
{
    check(manager);
    ++appended;
}

void RecordingDelegate::batchManagerDidRemoveTasks(vistrel::BatchManager& manager)
{
    check(manager);
    ++removed;
}

void RecordingDelegate::batchManagerDidUpdateProgress(vistrel::BatchManager& manager)
{
    check(manager);
    ++progress;
}

void RecordingDelegate::batchManagerDidUpdate(vistrel::BatchManager& manager)
{
    check(manager);
    ++updates;
}

}  // namespace batchtest
