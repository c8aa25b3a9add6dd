#include "app/batch/batch_tasks_controller.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "app/batch/batch_actions.h"
#include "app/batch/batch_manager.h"
#include "app/batch/batch_window_controller.h"
#include "app/batch/folder_access.h"
#include "app/batch/naming_template_check.h"
#include "app/document/defaults_keys.h"
#include "appkit/control_extensions.h"
#include "appkit/window_extensions.h"
#include "foundation/bundle_info.h"
#include "foundation/shortcuts.h"
#include "foundation/time_range_values.h"
#include "foundation/url_extensions.h"
#include "moviekit/player.h"
#include "numerics/real_number.h"
#include "platform/core/dispatch_queue.h"
#include "platform/core/main_thread.h"
#include "platform/ui/alert.h"
#include "platform/ui/application.h"
#include "platform/ui/save_panel.h"
#include "platform/ui/system_style.h"
#include "platform/ui/user_notification.h"
#include "platform/ui/window.h"
#include "platform/ui/workspace.h"

namespace vistrel {

namespace {

// How the end of a batch is announced ("BatchAlertUserType").
constexpr std::int64_t alertByNotification = 1;
constexpr std::int64_t alertByAttentionRequest = 2;

// The clip a task of the movie covers: its player's clip, or the whole movie while it has no player (a player
// starts with the whole movie as its clip).
media::TimeRange clipRangeOf(orvalis::Movie& movie)
{
    if (auto player = movie.existingPlayer()) return player->clipRange();
    return kestrane::TimeRangeStatics::withDuration(movie.duration());
}

}  // namespace

BatchTasksController::BatchTasksController() = default;

void BatchTasksController::awake()
{
    Responder::awake();
    registerCommand(actions::changeSettings, &BatchTasksController::changeSettings);
    registerCommand(actions::chooseExportFolder, &BatchTasksController::chooseExportFolder);
    registerCommand(actions::clearExportFolder, &BatchTasksController::clearExportFolder);
    registerCommand(actions::launchSnapTasks, &BatchTasksController::launchSnapTasks);
    registerCommand(actions::openSelectedTasks, &BatchTasksController::openSelectedTasks);
    registerCommand(actions::stopSelectedTasks, &BatchTasksController::stopSelectedTasks);
    registerCommand(actions::resumeSelectedTasks, &BatchTasksController::resumeSelectedTasks);
    registerCommand(actions::cancelSelectedTasks, &BatchTasksController::cancelSelectedTasks);
    registerCommand(actions::removeFinishedTasks, &BatchTasksController::removeFinishedTasks);
}

void BatchTasksController::awakeFromNib()
{
    core::assertMainThread();
    updateComponents();
    updateCommands();
    if (auto owner = outlets_.controller.lock())
        owner->manager()->setDelegate(std::static_pointer_cast<BatchManagerDelegate>(sharedAs<BatchTasksController>()));
}

void BatchTasksController::setExportURL(const std::optional<core::Url>& url)
{
    core::assertMainThread();
    exportURL_ = url;
    if (auto field = outlets_.exportField.lock())
        field->setStringValue(url ? kestrane::abbreviatedPath(*url) : std::string());
}

// MARK: - Settings

BatchSettings BatchTasksController::settings() const
{
    BatchSettings s;
    if (auto matrix = outlets_.splitterMatrix.lock()) s.splitterRow = matrix->selectedRow();
    if (auto field = outlets_.secondsSplitterField.lock()) s.seconds = field->doubleValue();
    if (auto field = outlets_.framesSplitterField.lock()) s.frames = field->integerValue();
    if (auto field = outlets_.countSplitterField.lock()) s.count = field->integerValue();
    if (auto button = outlets_.includesStartButton.lock()) s.includesStart = kestrane::boolState(*button);
    if (auto button = outlets_.includesEndButton.lock()) s.includesEnd = kestrane::boolState(*button);
    if (auto field = outlets_.maxSizeField.lock()) s.maxSize = kestrane::CGFloatValue(*field);
    if (auto popUp = outlets_.formatPopUp.lock()) s.formatTag = popUp->selectedTag();
    if (auto popUp = outlets_.errorPopUp.lock()) s.errorIndex = popUp->indexOfSelectedItem();
    if (auto popUp = outlets_.logsPopUp.lock()) s.logsIndex = popUp->indexOfSelectedItem();
    return s;
}

std::optional<orvalis::TimeSplitter> BatchTasksController::makeSplitter(orvalis::Movie& movie) const
{
    return vistrel::makeSplitter(clipRangeOf(movie), movie.existingFrameTimes(), settings());
}

std::shared_ptr<BatchTask> BatchTasksController::makeTask(const orvalis::MovieRef& movie) const
{
    core::assertMainThread();
    const BatchSettings s = settings();
    const auto splitter = makeSplitter(*movie);
    const auto format = formatOfTag(s.formatTag);
    if (!splitter || !format || !exportURL_) return nullptr;
    auto task = BatchTask::create(movie, *exportURL_);
    task->setMaxSize(usableMaxSize(s.maxSize));
    task->setSplitter(*splitter);
    task->setFormat(*format);
    task->setShouldWriteLog(s.logsIndex == 1);
    task->setUseAlternativeName(s.errorIndex == 1);
    return task;
}

std::int64_t BatchTasksController::totalSnapsCount(std::int64_t total, std::int64_t index) const
{
    auto owner = outlets_.controller.lock();
    if (!owner || index < 0 || index >= std::int64_t(owner->movies().size())) return total;
    orvalis::Movie& movie = *owner->movies()[std::size_t(index)];
    if (!movie.playable()) return total;
    const auto splitter = makeSplitter(movie);
    return total + (splitter ? splitter->timesCount() : 0);
}

void BatchTasksController::updateComponents()
{
    core::assertMainThread();
    std::int64_t total = 0;
    std::vector<orvalis::MovieRef> unread;
    const BatchSettings s = settings();
    const bool byFrames = SplitMode(s.splitterRow) == SplitMode::everyFrames && s.frames >= 1;
    if (auto owner = outlets_.controller.lock())
        for (const auto index : owner->moviesSelection()) {
            total = totalSnapsCount(total, index);
            if (!byFrames || index < 0 || index >= std::int64_t(owner->movies().size())) continue;
            const orvalis::MovieRef& movie = owner->movies()[std::size_t(index)];
            if (movie->playable() && !movie->existingFrameTimes()) unread.push_back(movie);
        }
    if (auto label = outlets_.framesLabel.lock())
        label->setStringValue(unread.empty() ? kestrane::local(*kestrane::MB.get(), "BatchTC.FramesLabel", total)
                                             : kestrane::local(*kestrane::MB.get(), "BatchTC.CountingFrames"));
    if (!unread.empty()) readFrameTimes(std::move(unread));
}

void BatchTasksController::readFrameTimes(std::vector<orvalis::MovieRef> movies)
{
    if (readingFrameTimes_) return;
    readingFrameTimes_ = true;
    std::weak_ptr<BatchTasksController> weak = sharedAs<BatchTasksController>();
    core::DispatchQueue::global(core::QoS::userInitiated)->async([weak, movies = std::move(movies)] {
        for (const auto& movie : movies)
            movie->frameTimes();
        core::DispatchQueue::main()->async([weak] {
            auto self = weak.lock();
            if (!self) return;
            self->readingFrameTimes_ = false;
            self->updateComponents();
        });
    });
}

// MARK: - Commands

void BatchTasksController::chooseExportFolder(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    auto owner = outlets_.controller.lock();
    if (!owner) return;
    auto panel = core::make<ui::OpenPanel>();
    panel->setCanChooseFiles(false);
    panel->setCanChooseDirectories(true);
    panel->setCanCreateDirectories(true);
    panel->setPrompt(kestrane::local(*kestrane::MB.get(), "BatchWC.ChooseExportFolder.PromptTitle"));
    std::weak_ptr<BatchTasksController> weak = sharedAs<BatchTasksController>();
    panel->beginSheetModal(owner->window(), [weak, panel](ui::ModalResponse response) {
        auto self = weak.lock();
        if (self && response == ui::ModalResponses::ok && panel->url()) self->takeExportFolder(*panel->url());
    });
}

bool BatchTasksController::takeExportFolder(const core::Url& url)
{
    core::assertMainThread();
    const std::optional<std::string> problem = whyNotWritable(url);
    if (!problem) {
        setExportURL(url);
        return true;
    }
    auto alert = core::make<ui::Alert>();
    alert->setMessageText(
        kestrane::local(*kestrane::MB.get(), "BatchTC.UnwritableFolderAlert.MessageText", url.lastPathComponent()));
    alert->setInformativeText(
        kestrane::local(*kestrane::MB.get(), "BatchTC.UnwritableFolderAlert.InformativeText", *problem));
    alert->runModal();
    return false;
}

void BatchTasksController::launchSnapTasks(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    auto owner = outlets_.controller.lock();
    auto window = owner ? owner->window() : nullptr;
    if (!window) return ui::beep();
    // Start never does nothing without saying why.
    if (!kestrane::endEditing(*window))
        return refuseLaunch(kestrane::local(*kestrane::MB.get(), "BatchTC.EditingNotEnded"));
    if (!exportURL_) return refuseLaunch(kestrane::local(*kestrane::MB.get(), "BatchTC.NoExportFolder"));
    if (owner->moviesSelection().isEmpty())
        return refuseLaunch(kestrane::local(*kestrane::MB.get(), "BatchTC.NoMovieSelected"));
    std::vector<std::shared_ptr<BatchTask>> tasks;
    const std::uint64_t batch = BatchTask::newBatch();
    const auto& movies = owner->movies();
    long leftOut = 0;
    bool refused = false;
    for (const auto index : owner->moviesSelection()) {
        if (index < 0 || index >= std::int64_t(movies.size())) continue;
        const orvalis::MovieRef& movie = movies[std::size_t(index)];
        if (!movie->playable()) {
            ++leftOut;
            continue;
        }
        auto task = makeTask(movie);
        if (task) {
            task->setBatch(batch);
            tasks.push_back(std::move(task));
        } else {
            refused = true;
        }
    }
    if (refused) return refuseLaunch(kestrane::local(*kestrane::MB.get(), "BatchTC.SettingsGiveNoFrames"));
    if (const std::string problem = namingProblem(tasks); !problem.empty()) return refuseLaunch(problem);
    // Tasks that name their files alike take their names in the order of the table, at every launch.
    std::map<std::string, long> alike;
    for (const auto& task : tasks)
        task->setNameRank(alike[task->nameSignature()]++);
    unannounced_.insert(unannounced_.end(), tasks.begin(), tasks.end());
    owner->manager()->appendTasks(tasks);
    if (leftOut > 0) {
        auto alert = core::make<ui::Alert>();
        alert->setMessageText(kestrane::local(*kestrane::MB.get(), "BatchTC.LeftOutAlert.MessageText", leftOut));
        alert->setInformativeText(kestrane::local(*kestrane::MB.get(), "BatchTC.LeftOutAlert.InformativeText"));
        alert->runModal();
    }
}

std::string BatchTasksController::namingProblem(const std::vector<std::shared_ptr<BatchTask>>& tasks)
{
    const auto markups = batchNamingTemplate();
    for (const auto& task : tasks)
        if (auto problem = namingTemplateProblem(markups, task->count(), task->movie()->url()); !problem.empty())
            return problem;
    return {};
}

void BatchTasksController::refuseLaunch(const std::string& problem)
{
    auto alert = core::make<ui::Alert>();
    alert->setMessageText(kestrane::local(*kestrane::MB.get(), "NamingTemplate.LaunchRefused"));
    alert->setInformativeText(problem);
    alert->runModal();
}

std::vector<std::shared_ptr<BatchTask>> BatchTasksController::tasksAtSelectedRows() const
{
    std::vector<std::shared_ptr<BatchTask>> selected;
    auto owner = outlets_.controller.lock();
    auto table = outlets_.tasksTableView.lock();
    if (owner && table) {
        const auto& tasks = owner->manager()->tasks();
        for (long row : table->selectedRowIndexes())
            if (row >= 0 && row < long(tasks.size())) selected.push_back(tasks[std::size_t(row)]);
    }
    return selected;
}

std::vector<std::shared_ptr<BatchTask>> BatchTasksController::selectedTasks() const
{
    auto selected = tasksAtSelectedRows();
    if (selected.empty()) ui::beep();
    return selected;
}

void BatchTasksController::updateCommands()
{
    core::assertMainThread();
    const auto selected = tasksAtSelectedRows();
    const auto anySelected = [&](auto applies) { return std::any_of(selected.begin(), selected.end(), applies); };
    const auto enable = [](const std::weak_ptr<ui::Button>& button, bool enabled) {
        if (auto b = button.lock()) b->setEnabled(enabled);
    };
    enable(outlets_.revealButton, !selected.empty());
    enable(outlets_.stopButton, anySelected([](const auto& task) {
               return task->state() == BatchState::pending || task->state() == BatchState::processing;
           }));
    enable(outlets_.resumeButton, anySelected([](const auto& task) { return task->state() == BatchState::stopped; }));
    enable(outlets_.cancelButton, anySelected([](const auto& task) { return !task->isFinished(); }));
    enable(outlets_.removeFinishedButton, hasFinishedTasks());
}

bool BatchTasksController::hasFinishedTasks() const
{
    auto owner = outlets_.controller.lock();
    if (!owner) return false;
    const auto& tasks = owner->manager()->tasks();
    return std::any_of(tasks.begin(), tasks.end(), [](const auto& task) { return task->isFinished(); });
}

void BatchTasksController::openSelectedTasks(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    std::vector<core::Url> folders;
    for (const auto& task : selectedTasks())
        folders.push_back(task->destURL());
    if (!folders.empty()) ui::Workspace::shared().activateFileViewerSelecting(folders);
}

void BatchTasksController::stopSelectedTasks(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    for (const auto& task : selectedTasks())
        task->stop();
}

void BatchTasksController::resumeSelectedTasks(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    for (const auto& task : selectedTasks())
        task->resume();
}

void BatchTasksController::cancelSelectedTasks(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    for (const auto& task : selectedTasks())
        task->cancel();
}

void BatchTasksController::removeFinishedTasks(const std::shared_ptr<core::Object>&)
{
    core::assertMainThread();
    auto owner = outlets_.controller.lock();
    if (!owner) return;
    if (!hasFinishedTasks()) return ui::beep();
    owner->manager()->removeFinishedTasks();
}

// MARK: - Table

std::string BatchTasksController::stateText(const BatchTask& task)
{
    if (const auto reason = task.stopReason())
        return kestrane::local(*kestrane::MB.get(), "BatchTC.StateFailed", *reason);
    const std::int64_t errors = task.errors();
    const std::string text = batch_state::localizedDescription(task.state());
    if (errors == 0) return text;
    return errors == 1 ? kestrane::local(*kestrane::MB.get(), "BatchTC.StateWithOneError", text)
                       : kestrane::local(*kestrane::MB.get(), "BatchTC.StateWithErrors", text, errors);
}

std::string BatchTasksController::progressText(std::int64_t index, std::int64_t count)
{
    if (count == 0) return "100";
    return std::to_string(kestrane::roundInt(double(index) / double(count) * 100.0));
}

long BatchTasksController::numberOfRowsInTableView(ui::TableView&)
{
    auto owner = outlets_.controller.lock();
    return owner ? long(owner->manager()->tasks().size()) : 0;
}

std::any BatchTasksController::objectValueFor(ui::TableView&, const std::shared_ptr<ui::TableColumn>& column, long row)
{
    auto owner = outlets_.controller.lock();
    if (!owner || !column || row < 0 || row >= long(owner->manager()->tasks().size())) return {};
    const BatchTask& task = *owner->manager()->tasks()[std::size_t(row)];
    const std::string& title = column->title();
    if (title == "Filename") return task.movie()->title();
    if (title == "State") return stateText(task);
    if (title == "Progress") return progressText(task.index(), task.count());
    if (title == "Errors") return std::to_string(task.errors());
    if (title == "Index") return std::to_string(task.index());
    if (title == "Total") return std::to_string(task.count());
    if (title == "Destination") return kestrane::abbreviatedPath(task.destURL());
    return {};
}

std::string BatchTasksController::toolTipFor(ui::TableView&, const std::shared_ptr<ui::TableColumn>& column, long row)
{
    auto owner = outlets_.controller.lock();
    if (!owner || !column || column->title() != "State" || row < 0 || row >= long(owner->manager()->tasks().size()))
        return {};
    return failuresText(*owner->manager()->tasks()[std::size_t(row)]);
}

std::string BatchTasksController::failuresText(const BatchTask& task)
{
    const auto& bundle = *kestrane::MB.get();
    const std::optional<std::string> logFailure = task.logFailure();
    std::vector<std::string> paragraphs;
    if (const auto reason = task.stopReason())
        paragraphs.push_back(kestrane::local(bundle, "BatchTC.StoppedToolTip", task.index(), task.count(),
                                             task.destURL().path(), *reason));
    // A log that could not be written is one of the task's errors; the others are frames.
    const std::int64_t failedFrames = task.errors() - (logFailure ? 1 : 0);
    if (failedFrames > 0) {
        std::string frames = kestrane::local(bundle, "BatchTC.FailedFramesToolTip", failedFrames);
        for (const auto& line : task.failedFrames(shownFailedFrames))
            frames += "\n" + line;
        if (failedFrames > std::int64_t(shownFailedFrames))
            frames += "\n" + kestrane::local(bundle, "BatchTC.MoreFailedFramesToolTip",
                                             failedFrames - std::int64_t(shownFailedFrames));
        paragraphs.push_back(frames);
    }
    if (logFailure) paragraphs.push_back(*logFailure);
    std::string tip;
    for (const auto& paragraph : paragraphs)
        tip += (tip.empty() ? "" : "\n") + paragraph;
    return tip;
}

void BatchTasksController::willDisplayCell(ui::TableView&, ui::TableCell& cell, const std::shared_ptr<ui::TableColumn>&,
                                           long row)
{
    auto owner = outlets_.controller.lock();
    if (!cell.isTextCell || !owner || row < 0 || row >= long(owner->manager()->tasks().size())) return;
    const bool failed = owner->manager()->tasks()[std::size_t(row)]->errors() > 0;
    cell.textColor = failed ? gfx::Color::red() : ui::SystemColor::text();
}

void BatchTasksController::reloadTable()
{
    if (auto table = outlets_.tasksTableView.lock()) table->reloadData();
    updateCommands();
}

// MARK: - Manager

void BatchTasksController::batchManagerDidAppendTasks(BatchManager& manager)
{
    core::assertMainThread();
    reloadTable();
    // The new tasks are the last rows.
    if (auto table = outlets_.tasksTableView.lock(); table && !manager.tasks().empty())
        table->scrollRowToVisible(long(manager.tasks().size()) - 1);
}

void BatchTasksController::batchManagerDidRemoveTasks(BatchManager&)
{
    core::assertMainThread();
    reloadTable();
}

void BatchTasksController::batchManagerDidUpdateProgress(BatchManager&)
{
    core::assertMainThread();
    reloadTable();
}

void BatchTasksController::batchManagerDidUpdate(BatchManager& manager)
{
    core::assertMainThread();
    reloadTable();
    const int ends = manager.counts().naturalEnds;
    if (ends == announcedEnds_) return;
    announcedEnds_ = ends;
    alertUser();
}

void BatchTasksController::alertUser()
{
    const auto type = kestrane::Defaults[BatchAlertUserTypeKey].intValue();
    if (type == alertByAttentionRequest) {
        ui::Application::shared()->requestUserAttention(ui::RequestUserAttentionType::informationalRequest);
    } else if (type == alertByNotification) {
        std::int64_t written = 0;
        std::int64_t failed = 0;
        for (const auto& weak : unannounced_)
            if (auto task = weak.lock()) {
                written += task->index() - task->errors();
                failed += task->errors();
            }
        auto notification = core::make<ui::UserNotification>();
        notification->setTitle(kestrane::local(*kestrane::MB.get(), "BatchWC.UserNotification.Title"));
        notification->setInformativeText(
            failed == 0 ? kestrane::local(*kestrane::MB.get(), "BatchWC.UserNotification.InformativeText", written)
                        : kestrane::local(*kestrane::MB.get(), "BatchWC.UserNotification.InformativeTextFailed",
                                          written, failed));
        kestrane::UNC->deliver(notification);
    }
    unannounced_.clear();
}

}  // namespace vistrel
