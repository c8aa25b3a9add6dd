#include "app/batch/batch_window_interface.h"

#include "app/batch/batch_movies_controller.h"
#include "app/batch/batch_tasks_controller.h"
#include "app/batch/batch_window_controller.h"
#include "app/batch/interface_builder.h"
#include "app/document/defaults_keys.h"
#include "platform/ui/defaults_binding.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/window.h"

namespace vistrel {

namespace {

using Mask = unsigned;
namespace AR = ui::AutoresizingMask;

constexpr double contentWidth = 960;
constexpr double contentHeight = 720;
// The movies occupy the upper part, above this height; the settings and tasks the lower part.
constexpr double split = 360;
const ui::Action changeSettings = "changeSettings:";

// The upper part: the movies table, its commands, the preview and its clip buttons.
void buildMovies(InterfaceBuilder& b, const std::shared_ptr<BatchMoviesController>& movies)
{
    const Mask top = AR::minYMargin;
    auto table =
        b.table({20, split + 64, 540, contentHeight - split - 84}, AR::widthSizable | AR::heightSizable,
                {{"Filename", 220}, {"Resolution", 110}, {"FPS", 60}, {"Duration", 130}});
    table->setDataSource(movies);
    table->setDelegate(movies);
    movies->moviesTableView = table;
    b.button({20, split + 24, 110, 30}, top, "BatchWindow.AddMovies", movies, "openMovieFiles:");
    b.button({134, split + 24, 110, 30}, top, "BatchWindow.RemoveMovies", movies, "removeSelectedMovies:");
    movies->selectionLabel = b.label({254, split + 30, 220, 20}, top);
    auto progress = b.add<kestrane::ProgressIndicator>({480, split + 30, 80, 18}, top);
    progress->setDisplayedWhenStopped(false);
    progress->setMinimalDelay(0.5);
    movies->filesProgress = progress;

    const gfx::Rect preview{580, split + 64, 360, contentHeight - split - 84};
    auto info = b.add<kestrane::LayeredTextField>({preview.minX(), preview.midY() - 15, preview.width(), 30},
                                                  AR::minXMargin | AR::minYMargin | AR::maxYMargin);
    movies->movieInfoField = info;
    const std::pair<const char*, ui::Action> clipButtons[] = {
        {"BatchWindow.ShowStart", "seekToClipStart:"},
        {"BatchWindow.SetStart", "setClipStart:"},
        {"BatchWindow.ShowEnd", "seekToClipEnd:"},
        {"BatchWindow.SetEnd", "setClipEnd:"},
    };
    std::vector<std::shared_ptr<ui::Button>> buttons;
    for (std::size_t i = 0; i < 4; ++i)
        buttons.push_back(b.button({580 + 90.0 * double(i), split + 24, 88, 30}, AR::minXMargin | top,
                                   clipButtons[i].first, nullptr, clipButtons[i].second));
    movies->showStartButton = buttons[0];
    movies->setStartButton = buttons[1];
    movies->showEndButton = buttons[2];
    movies->setEndButton = buttons[3];
}

// The lower part: the settings on the left, the tasks table and its commands on the right.
void buildTasks(InterfaceBuilder& b, const std::shared_ptr<BatchTasksController>& tasks)
{
    const Mask pinned = AR::maxXMargin | AR::maxYMargin;
    auto matrix = b.add<ui::RadioGroup>({20, 246, 190, 90}, pinned);
    matrix->setTitles({interfaceText("BatchWindow.EverySeconds"), interfaceText("BatchWindow.EveryFrames"),
                       interfaceText("BatchWindow.TotalFrames")});
    matrix->setTarget(tasks);
    matrix->setAction(changeSettings);
    tasks->splitterMatrix = matrix;
    tasks->secondsSplitterField =
        b.numberField({220, 306, 90, 24}, pinned, 0.001, 1e9, true, tasks, changeSettings);
    tasks->framesSplitterField =
        b.numberField({220, 278, 90, 24}, pinned, 1, 1e9, false, tasks, changeSettings);
    tasks->countSplitterField =
        b.numberField({220, 250, 90, 24}, pinned, 0, 1e6, false, tasks, changeSettings);
    tasks->includesStartButton =
        b.checkBox({20, 218, 170, 22}, pinned, "BatchWindow.IncludesStart", tasks, changeSettings);
    tasks->includesEndButton =
        b.checkBox({190, 218, 170, 22}, pinned, "BatchWindow.IncludesEnd", tasks, changeSettings);

    const double labelWidth = 140;
    const double controlX = 20 + labelWidth + 10;
    b.label({20, 186, labelWidth, 20}, pinned, "BatchWindow.MaxSize");
    tasks->maxSizeField =
        b.numberField({controlX, 184, 90, 24}, pinned, 0, 100000, false, tasks, changeSettings);
    b.label({20, 154, labelWidth, 20}, pinned, "BatchWindow.Format");
    auto format = b.popUp({controlX, 150, 200, 26}, pinned, {"PNG", "JPEG", "TIFF"}, tasks, changeSettings);
    tasks->formatPopUp = format;
    b.label({20, 122, labelWidth, 20}, pinned, "BatchWindow.TakenName");
    tasks->errorPopUp =
        b.popUp({controlX, 118, 200, 26}, pinned,
                {interfaceText("BatchWindow.ReplaceFile"), interfaceText("BatchWindow.AlternativeName")},
                tasks, changeSettings);
    b.label({20, 90, labelWidth, 20}, pinned, "BatchWindow.Log");
    tasks->logsPopUp = b.popUp({controlX, 86, 200, 26}, pinned,
                               {interfaceText("BatchWindow.NoLog"), interfaceText("BatchWindow.WriteLog")},
                               tasks, changeSettings);

    b.label({20, 58, labelWidth, 20}, pinned, "BatchWindow.ExportFolder");
    auto exportField = b.label({controlX, 58, 200, 20}, pinned);
    exportField->setSelectable(true);
    tasks->exportField = exportField;
    b.button({20, 18, 100, 30}, pinned, "BatchWindow.Choose", tasks, "chooseExportFolder:");
    b.button({124, 18, 80, 30}, pinned, "BatchWindow.Clear", tasks, "clearExportFolder:");
    tasks->framesLabel = b.label({210, 24, 150, 20}, pinned);

    auto table = b.table({380, 64, 560, split - 84}, AR::widthSizable | AR::maxYMargin,
                         {{"Filename", 140},
                          {"State", 90},
                          {"Progress", 70},
                          {"Errors", 50},
                          {"Index", 50},
                          {"Total", 50},
                          {"Destination", 180}});
    table->setDataSource(tasks);
    table->setDelegate(tasks);
    tasks->tasksTableView = table;
    auto start = b.button({380, 18, 100, 30}, AR::maxYMargin, "BatchWindow.Start", tasks, "launchSnapTasks:");
    start->setKeyEquivalent("\r");
    const std::pair<const char*, ui::Action> commands[] = {
        {"BatchWindow.Reveal", "openSelectedTasks:"},
        {"BatchWindow.Stop", "stopSelectedTasks:"},
        {"BatchWindow.Resume", "resumeSelectedTasks:"},
        {"BatchWindow.Cancel", "cancelSelectedTasks:"},
        {"BatchWindow.RemoveFinished", "removeFinishedTasks:"},
    };
    for (std::size_t i = 0; i < 5; ++i)
        b.button({490 + 90.0 * double(i), 18, 88, 30}, AR::maxYMargin, commands[i].first, tasks,
                 commands[i].second);
}

// The settings keep their values across launches.
void bindSettings(const BatchTasksController& tasks)
{
    const std::pair<std::shared_ptr<ui::Control>, const std::string&> bindings[] = {
        {tasks.splitterMatrix.lock(), BatchSplitterModeKey},
        {tasks.secondsSplitterField.lock(), BatchEverySecondsKey},
        {tasks.framesSplitterField.lock(), BatchEveryFramesKey},
        {tasks.countSplitterField.lock(), BatchNbFramesKey},
        {tasks.maxSizeField.lock(), BatchMaxSizeKey},
        {tasks.formatPopUp.lock(), BatchImageFormatKey},
        {tasks.errorPopUp.lock(), BatchFileErrorHandlerKey},
        {tasks.logsPopUp.lock(), BatchSnapErrorHandlerKey},
    };
    for (const auto& [control, key] : bindings)
        ui::bindToDefaults(control, key);
}

void build(const std::shared_ptr<core::Object>& object)
{
    auto owner = std::dynamic_pointer_cast<BatchWindowController>(object);
    if (!owner) return;
    auto window = ui::Window::create({0, 0, contentWidth, contentHeight},
                                     ui::StyleMask::titled | ui::StyleMask::closable |
                                         ui::StyleMask::miniaturizable | ui::StyleMask::resizable);
    window->setTitle(interfaceText("BatchWindow.Title"));
    window->setContentMinSize({contentWidth, contentHeight});
    window->center();

    auto movies = core::make<BatchMoviesController>();
    auto tasks = core::make<BatchTasksController>();
    movies->controller = owner;
    tasks->controller = owner;
    InterfaceBuilder builder(window->contentView());
    buildMovies(builder, movies);
    buildTasks(builder, tasks);
    bindSettings(*tasks);

    owner->keepInterfaceObject(movies);
    owner->keepInterfaceObject(tasks);
    owner->setMoviesController(movies);
    owner->setTasksController(tasks);
    owner->setWindow(window);
    window->setDelegate(std::static_pointer_cast<ui::WindowDelegate>(owner));
    window->setFrameAutosaveName(BatchWindowInterface);
    movies->awakeFromNib();
    tasks->awakeFromNib();
}

} // namespace

void registerBatchWindowInterface()
{
    if (!ui::InterfaceRegistry::contains(BatchWindowInterface))
        ui::InterfaceRegistry::add(BatchWindowInterface, build);
}

} // namespace vistrel
