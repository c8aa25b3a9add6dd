// The lower half of the batch window: the split settings (every N seconds, every N frames or N frames in
// total, with or without the clip's start and end), the output settings (largest size, format, what to do
// with a name already taken, whether to log), the export folder, the count of frames the selected movies
// would give, the tasks table and the commands that launch, reveal, stop, resume, cancel and remove tasks.
// Turns the selected playable movies into tasks for the window's manager (saying how many movies it left out
// because they cannot be read), is that manager's delegate, and announces the natural end of a batch, once,
// with the desktop's attention request or a notification of the frames written and failed. Main thread only.
#pragma once

#include <memory>
#include <optional>

#include "app/batch/batch_manager_delegate.h"
#include "app/batch/batch_settings.h"
#include "app/batch/batch_task.h"
#include "moviekit/movie.h"
#include "platform/core/url.h"
#include "platform/ui/button.h"
#include "platform/ui/pop_up_button.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/table_view.h"
#include "platform/ui/text_field.h"

namespace vistrel {

class BatchWindowController;

// The views of the lower half of the batch window that its controller uses, and the window's controller; weak, for the
// window holds them.
struct BatchTasksOutlets {
    std::weak_ptr<BatchWindowController> controller;
    std::weak_ptr<ui::TableView> tasksTableView;
    std::weak_ptr<ui::RadioGroup> splitterMatrix;
    std::weak_ptr<ui::TextField> secondsSplitterField;
    std::weak_ptr<ui::TextField> framesSplitterField;
    std::weak_ptr<ui::TextField> countSplitterField;
    std::weak_ptr<ui::Button> includesStartButton;
    std::weak_ptr<ui::Button> includesEndButton;
    std::weak_ptr<ui::TextField> maxSizeField;
    std::weak_ptr<ui::TextField> exportField;
    std::weak_ptr<ui::PopUpButton> formatPopUp;
    std::weak_ptr<ui::PopUpButton> errorPopUp;
    std::weak_ptr<ui::PopUpButton> logsPopUp;
    std::weak_ptr<ui::TextField> framesLabel;
    // The commands on tasks, enabled only while they would act on something.
    std::weak_ptr<ui::Button> revealButton;
    std::weak_ptr<ui::Button> stopButton;
    std::weak_ptr<ui::Button> resumeButton;
    std::weak_ptr<ui::Button> cancelButton;
    std::weak_ptr<ui::Button> removeFinishedButton;
};

class BatchTasksController : public ui::Responder,
                             public ui::TableDataSource,
                             public ui::TableDelegate,
                             public BatchManagerDelegate {
public:
    BatchTasksController();
    // Registers the actions below.
    void awake() override;

    // The views and controllers the interface connects this to, set by it.
    const BatchTasksOutlets& outlets() const { return outlets_; }
    void setOutlets(const BatchTasksOutlets& outlets) { outlets_ = outlets; }

    // The export folder; the export field shows it after every change.
    const std::optional<core::Url>& exportURL() const { return exportURL_; }
    void setExportURL(const std::optional<core::Url>& url);
    // The folder chosen in the panel: kept when a file can be made in it, else refused with a message that
    // says why; true when kept.
    bool takeExportFolder(const core::Url& url);

    // Once the interface is connected: the frames label, and the manager's delegate.
    void awakeFromNib();
    void moviesDidChange() { updateComponents(); }
    void moviesSelectionDidChange() { updateComponents(); }
    // The frames label: the frames the selected playable movies would give with the settings as they are.
    // Every N frames counts the movies' own frames: while some are still being read in the background the
    // label says so, and it counts again once they are known.
    void updateComponents();
    // Enables each command on tasks exactly when it would act: reveal, stop, resume and cancel on a selected
    // task they apply to, removal on any finished task.
    void updateCommands();
    // The settings as the controls show them.
    BatchSettings settings() const;

    // The actions of the same names (batch_actions.h). Each beeps and does nothing when it lacks what it
    // needs.
    void changeSettings(const std::shared_ptr<core::Object>& sender) { updateComponents(); }
    void chooseExportFolder(const std::shared_ptr<core::Object>& sender);
    void clearExportFolder(const std::shared_ptr<core::Object>& sender) { setExportURL(std::nullopt); }
    void launchSnapTasks(const std::shared_ptr<core::Object>& sender);
    void openSelectedTasks(const std::shared_ptr<core::Object>& sender);
    void stopSelectedTasks(const std::shared_ptr<core::Object>& sender);
    void resumeSelectedTasks(const std::shared_ptr<core::Object>& sender);
    void cancelSelectedTasks(const std::shared_ptr<core::Object>& sender);
    void removeFinishedTasks(const std::shared_ptr<core::Object>& sender);

    long numberOfRowsInTableView(ui::TableView& table) override;
    std::any objectValueFor(ui::TableView& table, const std::shared_ptr<ui::TableColumn>& column, long row) override;
    // The State cell of a task that failed says what failed: how many frames, and why its log was not written.
    std::string toolTipFor(ui::TableView& table, const std::shared_ptr<ui::TableColumn>& column, long row) override;
    void willDisplayCell(ui::TableView& table, ui::TableCell& cell, const std::shared_ptr<ui::TableColumn>& column,
                         long row) override;
    void tableViewSelectionDidChange(ui::TableView& table) override { updateCommands(); }

    void batchManagerDidAppendTasks(BatchManager& manager) override;
    void batchManagerDidRemoveTasks(BatchManager& manager) override;
    void batchManagerDidUpdateProgress(BatchManager& manager) override;
    void batchManagerDidUpdate(BatchManager& manager) override;

    // The frame times of a movie's clip with the current settings; none when they cannot give sound times.
    std::optional<orvalis::TimeSplitter> makeSplitter(orvalis::Movie& movie) const;
    // A task of the movie into the export folder with the current settings; null when the settings refuse it.
    std::shared_ptr<BatchTask> makeTask(const orvalis::MovieRef& movie) const;

    // "100" for a task without frames, else the rounded share of its frames done.
    static std::string progressText(std::int64_t index, std::int64_t count);
    // The state as the table shows it, with the count of frames that failed when any did; for a task that
    // stopped because no frame could be written, that it failed and why.
    static std::string stateText(const BatchTask& task);
    // What the State cell's tooltip says of a task: why it stopped, its failed frames (the first
    // shownFailedFrames, in the order of their times, with their reasons) and its log's failure; empty when
    // nothing failed.
    static std::string failuresText(const BatchTask& task);
    static constexpr std::size_t shownFailedFrames = BatchTaskLog::failuresKeptWithoutLog;

private:
    // The running total plus the frames of the movie at `index` of the list.
    std::int64_t totalSnapsCount(std::int64_t total, std::int64_t index) const;
    // The tasks at the selected rows, in row order; empty (after a beep) when no row is selected.
    std::vector<std::shared_ptr<BatchTask>> selectedTasks() const;
    // Why the naming template cannot name the files of these tasks; empty when it can.
    static std::string namingProblem(const std::vector<std::shared_ptr<BatchTask>>& tasks);
    // Tells the user why the batch does not start.
    static void refuseLaunch(const std::string& problem);
    // Whether a cancelled or complete task is in the list.
    bool hasFinishedTasks() const;
    // The tasks at the selected rows, without a beep when there are none.
    std::vector<std::shared_ptr<BatchTask>> tasksAtSelectedRows() const;
    void reloadTable();
    // Once per natural end of a batch (its last running task completing, not stopped or cancelled), with the
    // frames the tasks launched since the last announcement wrote and failed.
    void alertUser();
    // Reads the frame times of the movies in the background, then updates the components; one reading at a
    // time.
    void readFrameTimes(std::vector<orvalis::MovieRef> movies);

    std::optional<core::Url> exportURL_;
    bool readingFrameTimes_ = false;
    // The natural ends of a batch announced so far, and the tasks launched since the last announcement.
    int announcedEnds_ = 0;
    std::vector<std::weak_ptr<BatchTask>> unannounced_;
    BatchTasksOutlets outlets_;
};

}  // namespace vistrel
