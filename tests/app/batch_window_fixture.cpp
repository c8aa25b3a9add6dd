#include "tests/app/batch_window_fixture.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>

#include <QAbstractButton>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTableView>
#include <QTimer>
#include <QUrl>

#include "app/document/defaults_keys.h"
#include "foundation/shortcuts.h"
#include "platform/ui/detail/qt_control.h"
#include "platform/ui/window.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/ffmpeg_tool.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace batchwindow {

namespace {

void writeMovie(const std::filesystem::path& path, int rateNum, int rateDen, int frames,
                testmovie::Codec codec = testmovie::Codec::h264)
{
    testmovie::MovieSpec spec;
    spec.codec = codec;
    spec.rateNum = rateNum;
    spec.rateDen = rateDen;
    spec.frameCount = frames;
    spec.keyInterval = 10;
    testmovie::writeMovie(path.string(), spec);
}

QTableView* qtTable(ui::TableView& table) { return qobject_cast<QTableView*>(ui::controlWidget(table)); }

int columnOf(ui::TableView& table, const std::string& title)
{
    const auto& columns = table.tableColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i]->title() == title) return int(i);
    return -1;
}

}  // namespace

std::filesystem::path editListMovie()
{
    static testsupport::TempDir folder("batch-edit-list");
    static const std::filesystem::path movie = [] {
        const auto path = folder / "edit-list.mp4";
        testsupport::runTool({"/usr/bin/ffmpeg", "-nostdin", "-v", "error", "-f", "lavfi", "-i",
                              "testsrc=size=160x120:rate=24000/1001:duration=4", "-c:v", "libx264", "-bf", "2", "-g",
                              "12", "-pix_fmt", "yuv420p", path.string()});
        return path;
    }();
    return movie;
}

const std::filesystem::path& movieFolder()
{
    static testsupport::TempDir folder("batch-movies");
    static const bool made = [] {
        const auto& root = folder.path();
        writeMovie(root / "a.mp4", 10, 1, 30);
        writeMovie(root / "b.mov", 10, 1, 30);
        writeMovie(root / "c.mkv", 25, 1, 50);
        writeMovie(root / "d.avi", 10, 1, 30, testmovie::Codec::mpeg4);
        writeMovie(root / "e.mp4", 30000, 1001, 90);
        writeMovie(root / ".hidden.mp4", 10, 1, 10);
        std::filesystem::create_directory(root / "more");
        writeMovie(root / "more" / "f.mp4", 10, 1, 30);
        std::ofstream(root / "notes.txt") << "not a movie\n";
        std::mt19937 random(7);
        std::ofstream broken(root / "broken.mov", std::ios::binary);
        for (int i = 0; i < 4096; ++i)
            broken.put(char(random()));
        return true;
    }();
    (void)made;
    return folder.path();
}

void BatchWindowTest::SetUp()
{
    // The settings of the batch window start as a new user's.
    const std::pair<const std::string&, core::Value> settings[] = {
        {vistrel::BatchSplitterModeKey, std::int64_t(0)},     {vistrel::BatchEverySecondsKey, 1.0},
        {vistrel::BatchEveryFramesKey, std::int64_t(5)},      {vistrel::BatchNbFramesKey, std::int64_t(4)},
        {vistrel::BatchMaxSizeKey, std::int64_t(0)},          {vistrel::BatchImageFormatKey, std::int64_t(0)},
        {vistrel::BatchFileErrorHandlerKey, std::int64_t(0)}, {vistrel::BatchSnapErrorHandlerKey, std::int64_t(0)},
    };
    for (const auto& [key, value] : settings)
        EXPECT_TRUE(kestrane::Defaults->set(key, value));
    kestrane::Defaults[vistrel::BatchOutputMarkupsKey] = nullptr;
    kestrane::Defaults[vistrel::BatchAlertUserTypeKey] = nullptr;

    controller = vistrel::BatchWindowController::create();
    ASSERT_TRUE(controller->window());
    movies = controller->outlets().moviesController.lock();
    tasks = controller->outlets().tasksController.lock();
    ASSERT_TRUE(movies && tasks);
    controller->showWindow(nullptr);
}

void BatchWindowTest::TearDown()
{
    if (!controller) return;
    controller->manager()->cancelAllTasks();
    controller->window()->close();
    runUntilTasksFinished();
    controller.reset();
    movies.reset();
    tasks.reset();
    // Reports of the closed batch still queued find nobody.
    testsupport::runQueued();
}

bool BatchWindowTest::drop(const std::vector<std::filesystem::path>& files, std::size_t expected, long row)
{
    auto table = movies->outlets().moviesTableView.lock();
    QTableView* view = qtTable(*table);
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& file : files)
        urls << QUrl::fromLocalFile(QString::fromStdString(file.string()));
    data.setUrls(urls);
    const long rows = long(controller->movies().size());
    const int y = row < 0 || row >= rows
                      ? (rows == 0 ? 5 : view->rowViewportPosition(int(rows - 1)) + view->rowHeight(int(rows - 1)) + 5)
                      : view->rowViewportPosition(int(row)) + 2;
    QDragEnterEvent enter(QPoint(10, y), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    const auto progress = movies->outlets().filesProgress.lock();
    const int started = progress ? progress->animationsStarted() : 0;
    QDropEvent dropped(QPointF(10, y), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &dropped);
    const bool listed = testsupport::runUntil([&] { return controller->movies().size() == expected; });
    sawBusy = progress && progress->animationsStarted() > started;
    return listed;
}

void BatchWindowTest::selectMovies(const std::vector<long>& rows)
{
    movies->outlets().moviesTableView.lock()->selectRowIndexes(rows, false);
}

void BatchWindowTest::selectTasks(const std::vector<long>& rows)
{
    tasks->outlets().tasksTableView.lock()->selectRowIndexes(rows, false);
}

QString cellText(ui::TableView& table, long row, const std::string& title)
{
    auto* model = qtTable(table)->model();
    return model->data(model->index(int(row), columnOf(table, title)), Qt::DisplayRole).toString();
}

QColor cellColour(ui::TableView& table, long row, const std::string& title)
{
    auto* model = qtTable(table)->model();
    return model->data(model->index(int(row), columnOf(table, title)), Qt::ForegroundRole).value<QColor>();
}

QString cellToolTip(ui::TableView& table, long row, const std::string& title)
{
    auto* model = qtTable(table)->model();
    return model->data(model->index(int(row), columnOf(table, title)), Qt::ToolTipRole).toString();
}

QString BatchWindowTest::movieCell(long row, const std::string& title) const
{
    return cellText(*movies->outlets().moviesTableView.lock(), row, title);
}

QString BatchWindowTest::taskCell(long row, const std::string& title) const
{
    return cellText(*tasks->outlets().tasksTableView.lock(), row, title);
}

QColor BatchWindowTest::movieColour(long row) const
{
    return cellColour(*movies->outlets().moviesTableView.lock(), row, "Filename");
}

QColor BatchWindowTest::taskColour(long row) const
{
    return cellColour(*tasks->outlets().tasksTableView.lock(), row, "Errors");
}

void BatchWindowTest::setSplit(long row, double value, bool includesStart, bool includesEnd)
{
    tasks->outlets().splitterMatrix.lock()->pressRow(row);
    auto field = row == 0   ? tasks->outlets().secondsSplitterField
                 : row == 1 ? tasks->outlets().framesSplitterField
                            : tasks->outlets().countSplitterField;
    type(*field.lock(), value == std::floor(value) ? std::to_string(long(value)) : std::to_string(value));
    tasks->outlets().includesStartButton.lock()->setState(includesStart ? ui::ControlState::on : ui::ControlState::off);
    tasks->outlets().includesEndButton.lock()->setState(includesEnd ? ui::ControlState::on : ui::ControlState::off);
    tasks->changeSettings(nullptr);
}

void BatchWindowTest::chooseExportFolder(const std::filesystem::path& folder)
{
    tasks->setExportURL(core::Url::fileURL(folder.string()));
}

void BatchWindowTest::launch() { tasks->launchSnapTasks(nullptr); }

bool BatchWindowTest::runUntilTasksFinished(double timeout)
{
    return testsupport::runUntil(
        [&] {
            const auto& all = controller->manager()->tasks();
            return std::all_of(all.begin(), all.end(), [](const auto& task) { return task->isFinished(); });
        },
        timeout);
}

void type(ui::TextField& field, const std::string& text)
{
    auto* edit = qobject_cast<QLineEdit*>(ui::controlWidget(field));
    ASSERT_TRUE(edit);
    edit->setText(QString::fromStdString(text));
    field.commitEditing();
}

AlertAnswer::AlertAnswer(std::string buttonTitle) : buttonTitle_(std::move(buttonTitle)) { poll(); }

void AlertAnswer::poll()
{
    // A check still pending when the answer is gone does nothing.
    QTimer::singleShot(10, [this, alive = std::weak_ptr<bool>(alive_)] {
        if (alive.expired()) return;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return poll();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().toStdString() != buttonTitle_) continue;
            asked_ = true;
            message_ = box->text().toStdString();
            information_ = box->informativeText().toStdString();
            button->click();
            return;
        }
        poll();
    });
}

}  // namespace batchwindow
