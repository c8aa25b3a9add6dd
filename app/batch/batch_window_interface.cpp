#include "app/batch/batch_window_interface.h"

#include "app/batch/batch_actions.h"
#include "app/batch/batch_movies_controller.h"
#include "app/batch/batch_tasks_controller.h"
#include "app/batch/batch_window_controller.h"
#include "app/batch/stored_settings_check.h"
#include "app/document/defaults_keys.h"
#include "app/document/interface_builder.h"
#include "appkit/responder_extensions.h"
#include "moviekit/movie_actions.h"
#include "moviekit/movie_panel.h"
#include "platform/ui/defaults_binding.h"
#include "platform/ui/interface_registry.h"
#include "platform/ui/window.h"

namespace vistrel {

namespace {

using Mask = unsigned;
namespace AR = ui::AutoresizingMask;

constexpr double contentWidth = 1120;
constexpr double contentHeight = 700;
// The movies occupy the upper part, above this height, and take what the window grows by; the settings and
// the tasks keep the lower part.
constexpr double split = 330;

// The upper part: the movies table with its commands, and the preview with its clip buttons.
void buildMovies(InterfaceBuilder& b, const std::shared_ptr<BatchMoviesController>& movies,
                 const std::shared_ptr<orvalis::MovieViewController>& preview, BatchMoviesOutlets& outlets)
{
    const Mask bottomRow = AR::maxXMargin | AR::maxYMargin;
    const double listTop = contentHeight - 20;
    const double listBottom = split + 50;
    auto table = b.table({20, listBottom, 420, listTop - listBottom}, AR::maxXMargin | AR::heightSizable,
                         {{"Filename", 170}, {"Resolution", 90}, {"FPS", 50}, {"Duration", 100}});
    table->setDataSource(movies);
    table->setDelegate(movies);
    outlets.moviesTableView = table;
    b.button({20, split + 10, 100, 30}, bottomRow, "BatchWindow.AddMovies", movies, actions::openMovieFiles);
    b.button({124, split + 10, 100, 30}, bottomRow, "BatchWindow.RemoveMovies", movies, actions::removeSelectedMovies);
    outlets.selectionLabel = b.label({232, split + 16, 120, 20}, bottomRow);
    auto progress = b.add<kestrane::ProgressIndicator>({360, split + 17, 80, 16}, bottomRow);
    progress->setDisplayedWhenStopped(false);
    progress->setMinimalDelay(0.5);
    outlets.filesProgress = progress;

    const gfx::Rect panel{460, listBottom, contentWidth - 480, listTop - listBottom};
    auto view = orvalis::makeMoviePanel(preview, panel);
    view->setAutoresizingMask(AR::widthSizable | AR::heightSizable);
    b.addView(view);
    outlets.movieViewController = preview;
    // Over the picture, which fills the panel above its controls.
    auto info = b.add<kestrane::LayeredTextField>({panel.minX(), panel.maxY() - 110, panel.width(), 30},
                                                  AR::widthSizable | AR::minYMargin);
    outlets.movieInfoField = info;
    const std::pair<const char*, ui::Action> clipButtons[] = {
        {"BatchWindow.ShowStart", orvalis::actions::seekToClipStart},
        {"BatchWindow.SetStart", orvalis::actions::setClipStart},
        {"BatchWindow.ShowEnd", orvalis::actions::seekToClipEnd},
        {"BatchWindow.SetEnd", orvalis::actions::setClipEnd},
    };
    std::vector<std::shared_ptr<ui::Button>> buttons;
    for (std::size_t i = 0; i < 4; ++i)
        buttons.push_back(b.button({panel.minX() + 104.0 * double(i), split + 10, 100, 30}, bottomRow,
                                   clipButtons[i].first, preview, clipButtons[i].second));
    outlets.showStartButton = buttons[0];
    outlets.setStartButton = buttons[1];
    outlets.showEndButton = buttons[2];
    outlets.setEndButton = buttons[3];
}

// The lower part: the settings on the left, the tasks table and its commands on the right.
void buildTasks(InterfaceBuilder& b, const std::shared_ptr<BatchTasksController>& tasks, BatchTasksOutlets& outlets)
{
    const Mask pinned = AR::maxXMargin | AR::maxYMargin;
    auto matrix = b.add<ui::RadioGroup>({20, 232, 190, 84}, pinned);
    matrix->setTitles({interfaceText("BatchWindow.EverySeconds"), interfaceText("BatchWindow.EveryFrames"),
                       interfaceText("BatchWindow.TotalFrames")});
    matrix->setTarget(tasks);
    matrix->setAction(actions::changeSettings);
    outlets.splitterMatrix = matrix;
    outlets.secondsSplitterField =
        b.numberField({220, 290, 90, 24}, pinned, 0.001, 1e9, true, tasks, actions::changeSettings);
    outlets.framesSplitterField =
        b.numberField({220, 262, 90, 24}, pinned, 1, 1e9, false, tasks, actions::changeSettings);
    outlets.countSplitterField =
        b.numberField({220, 234, 90, 24}, pinned, 0, 1e6, false, tasks, actions::changeSettings);
    // The frame count follows the split fields as they are typed in.
    for (const auto& field : {outlets.secondsSplitterField, outlets.framesSplitterField, outlets.countSplitterField})
        field.lock()->setContinuous(true);
    outlets.includesStartButton =
        b.checkBox({20, 202, 170, 22}, pinned, "BatchWindow.IncludesStart", tasks, actions::changeSettings);
    outlets.includesEndButton =
        b.checkBox({190, 202, 170, 22}, pinned, "BatchWindow.IncludesEnd", tasks, actions::changeSettings);

    const double labelWidth = 150;
    const double controlX = 20 + labelWidth + 10;
    b.label({20, 174, labelWidth, 20}, pinned, "BatchWindow.MaxSize");
    outlets.maxSizeField =
        b.numberField({controlX, 172, 90, 24}, pinned, 0, 100000, false, tasks, actions::changeSettings);
    b.label({20, 142, labelWidth, 20}, pinned, "BatchWindow.Format");
    outlets.formatPopUp =
        b.popUp({controlX, 138, 200, 26}, pinned, {"PNG", "JPEG", "TIFF"}, tasks, actions::changeSettings);
    b.label({20, 110, labelWidth, 20}, pinned, "BatchWindow.TakenName");
    outlets.errorPopUp =
        b.popUp({controlX, 106, 200, 26}, pinned,
                {interfaceText("BatchWindow.ReplaceFile"), interfaceText("BatchWindow.AlternativeName")}, tasks,
                actions::changeSettings);
    b.label({20, 78, labelWidth, 20}, pinned, "BatchWindow.Log");
    outlets.logsPopUp = b.popUp({controlX, 74, 200, 26}, pinned,
                                {interfaceText("BatchWindow.NoLog"), interfaceText("BatchWindow.WriteLog")}, tasks,
                                actions::changeSettings);
    b.label({20, 46, labelWidth, 20}, pinned, "BatchWindow.ExportFolder");
    auto exportField = b.label({controlX, 46, 200, 20}, pinned);
    exportField->setSelectable(true);
    outlets.exportField = exportField;
    b.button({20, 8, 100, 30}, pinned, "BatchWindow.Choose", tasks, actions::chooseExportFolder);
    b.button({124, 8, 80, 30}, pinned, "BatchWindow.Clear", tasks, actions::clearExportFolder);
    outlets.framesLabel = b.label({212, 14, 170, 20}, pinned);

    const double tasksX = 400;
    auto table = b.table({tasksX, 50, contentWidth - tasksX - 20, split - 64}, AR::widthSizable | AR::maxYMargin,
                         {{"Filename", 140},
                          {"State", 90},
                          {"Progress", 70},
                          {"Errors", 50},
                          {"Index", 50},
                          {"Total", 50},
                          {"Destination", 220}});
    table->setDataSource(tasks);
    table->setDelegate(tasks);
    outlets.tasksTableView = table;
    auto start = b.button({tasksX, 8, 100, 30}, pinned, "BatchWindow.Start", tasks, actions::launchSnapTasks);
    start->setKeyEquivalent("\r");
    const std::tuple<const char*, ui::Action, std::weak_ptr<ui::Button>&> commands[] = {
        {"BatchWindow.Reveal", actions::openSelectedTasks, outlets.revealButton},
        {"BatchWindow.Stop", actions::stopSelectedTasks, outlets.stopButton},
        {"BatchWindow.Resume", actions::resumeSelectedTasks, outlets.resumeButton},
        {"BatchWindow.Cancel", actions::cancelSelectedTasks, outlets.cancelButton},
        {"BatchWindow.RemoveFinished", actions::removeFinishedTasks, outlets.removeFinishedButton},
    };
    for (std::size_t i = 0; i < 5; ++i)
        std::get<2>(commands[i]) = b.button({tasksX + 110 + 96.0 * double(i), 8, 92, 30}, pinned,
                                            std::get<0>(commands[i]), tasks, std::get<1>(commands[i]));
}

// The settings keep their values across launches; stored values their controls cannot show are put back to
// their defaults first.
void bindSettings(const BatchTasksController& tasks)
{
    const std::vector<BoundSetting> bindings = {
        {tasks.outlets().splitterMatrix.lock(), BatchSplitterModeKey,
         interfaceText("BatchWindow.EverySeconds") + " / " + interfaceText("BatchWindow.EveryFrames") + " / " +
             interfaceText("BatchWindow.TotalFrames")},
        {tasks.outlets().secondsSplitterField.lock(), BatchEverySecondsKey, interfaceText("BatchWindow.EverySeconds")},
        {tasks.outlets().framesSplitterField.lock(), BatchEveryFramesKey, interfaceText("BatchWindow.EveryFrames")},
        {tasks.outlets().countSplitterField.lock(), BatchNbFramesKey, interfaceText("BatchWindow.TotalFrames")},
        {tasks.outlets().maxSizeField.lock(), BatchMaxSizeKey, interfaceText("BatchWindow.MaxSize")},
        {tasks.outlets().formatPopUp.lock(), BatchImageFormatKey, interfaceText("BatchWindow.Format")},
        {tasks.outlets().errorPopUp.lock(), BatchFileErrorHandlerKey, interfaceText("BatchWindow.TakenName")},
        {tasks.outlets().logsPopUp.lock(), BatchSnapErrorHandlerKey, interfaceText("BatchWindow.Log")},
    };
    static_cast<void>(putBackSettingsOutOfRange(bindings));
    for (const auto& setting : bindings)
        ui::bindToDefaults(setting.control, setting.key);
}

void build(const std::shared_ptr<core::Object>& object)
{
    auto owner = std::dynamic_pointer_cast<BatchWindowController>(object);
    if (!owner) return;
    auto window = ui::Window::create({0, 0, contentWidth, contentHeight},
                                     ui::StyleMask::titled | ui::StyleMask::closable | ui::StyleMask::miniaturizable |
                                         ui::StyleMask::resizable);
    window->setTitle(interfaceText("BatchWindow.Title"));
    window->setShowsMenuBar(true);
    window->setContentMinSize({contentWidth, contentHeight});
    window->center();

    auto movies = core::make<BatchMoviesController>();
    auto tasks = core::make<BatchTasksController>();
    auto preview = core::make<orvalis::MovieViewController>();
    BatchMoviesOutlets moviesOutlets;
    BatchTasksOutlets tasksOutlets;
    moviesOutlets.controller = owner;
    tasksOutlets.controller = owner;
    // The tables ask the window's controller for their rows as they are built.
    movies->setOutlets(moviesOutlets);
    tasks->setOutlets(tasksOutlets);
    InterfaceBuilder builder(window->contentView());
    buildMovies(builder, movies, preview, moviesOutlets);
    buildTasks(builder, tasks, tasksOutlets);
    movies->setOutlets(moviesOutlets);
    tasks->setOutlets(tasksOutlets);
    bindSettings(*tasks);

    owner->keepInterfaceObject(movies);
    owner->keepInterfaceObject(tasks);
    owner->keepInterfaceObject(preview);
    owner->setOutlets({.moviesController = movies, .tasksController = tasks});
    owner->setWindow(window);
    window->setDelegate(std::static_pointer_cast<ui::WindowDelegate>(owner));
    // Menu commands and keys reach the preview, and the Edit menu's selection commands the movies table.
    kestrane::insertNextResponder(*window, preview);
    kestrane::insertNextResponder(*window, movies);
    window->setFrameAutosaveName(BatchWindowInterface);
    movies->awakeFromNib();
    tasks->awakeFromNib();
}

}  // namespace

void registerBatchWindowInterface()
{
    if (!ui::InterfaceRegistry::contains(BatchWindowInterface)) ui::InterfaceRegistry::add(BatchWindowInterface, build);
}

}  // namespace vistrel
