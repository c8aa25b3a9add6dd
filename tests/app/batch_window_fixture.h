// What the batch window tests share: a folder of generated movies (and files that are no movie) made once, a
// batch window with its two controllers, and the user's ways with it: dropping files on the movies table,
// selecting rows, typing in fields, reading what the tables show and answering the window's questions.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QColor>
#include <QString>

#include <gtest/gtest.h>

#include "app/batch/batch_movies_controller.h"
#include "app/batch/batch_tasks_controller.h"
#include "app/batch/batch_window_controller.h"

namespace batchwindow {

// The folder dropped in the tests, made on first use:
//   a.mp4     3 s at 10 fps          c.mkv  2 s at 25 fps        e.mp4  3.003 s at 29.97 fps
//   b.mov     3 s at 10 fps          d.avi  3 s at 10 fps (MPEG-4 part 2)
//   broken.mov  random bytes         notes.txt  no movie         .hidden.mp4  a hidden movie
//   more/f.mp4  3 s at 10 fps
// Listed in order: a, b, broken, c, d, e, more/f.
const std::filesystem::path& movieFolder();
inline constexpr std::size_t listedCount = 7;
inline constexpr long brokenRow = 2;

// A 4.004 s movie at 24000/1001 fps made by the ffmpeg tool with B-frames, so that its edit list starts at
// media time 2002 (time scale 24000), with a key frame every 12 frames; made on first use.
std::filesystem::path editListMovie();

class BatchWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Drops the files on the movies table as the user does, on `row` (or below the last row when -1), and
    // waits until the list holds `expected` movies; sawBusy tells whether the busy indicator was started meanwhile.
    bool drop(const std::vector<std::filesystem::path>& files, std::size_t expected, long row = -1);
    void selectMovies(const std::vector<long>& rows);
    void selectTasks(const std::vector<long>& rows);
    // What a table shows in the column of that title, and the colour of that text.
    QString movieCell(long row, const std::string& title) const;
    QString taskCell(long row, const std::string& title) const;
    QColor taskColour(long row) const;
    QColor movieColour(long row) const;
    // Sets the split settings through their controls: mode row 0 every N seconds, 1 every N frames, 2 N in
    // total.
    void setSplit(long row, double value, bool includesStart = false, bool includesEnd = false);
    // An export folder of the test's own, as if chosen in the panel.
    void chooseExportFolder(const std::filesystem::path& folder);
    void launch();
    // Serves the main queue until every task of the manager is finished.
    bool runUntilTasksFinished(double timeout = 60);

    std::shared_ptr<vistrel::BatchWindowController> controller;
    std::shared_ptr<vistrel::BatchMoviesController> movies;
    std::shared_ptr<vistrel::BatchTasksController> tasks;
    bool sawBusy = false;
};

// The text of what the table shows in the column of that title at the row.
QString cellText(ui::TableView& table, long row, const std::string& title);
QColor cellColour(ui::TableView& table, long row, const std::string& title);
// What the cell's tooltip says (empty: none).
QString cellToolTip(ui::TableView& table, long row, const std::string& title);

// Types the text into the field and ends the editing, as Return does.
void type(ui::TextField& field, const std::string& text);

// While it lives, answers the next modal alert by pressing the button of that title, and keeps what it said.
class AlertAnswer {
public:
    explicit AlertAnswer(std::string buttonTitle);
    AlertAnswer(const AlertAnswer&) = delete;
    AlertAnswer& operator=(const AlertAnswer&) = delete;

    bool asked() const { return asked_; }
    const std::string& message() const { return message_; }
    const std::string& information() const { return information_; }

private:
    void poll();

    std::string buttonTitle_;
    bool asked_ = false;
    std::string message_;
    std::string information_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // the pending checks end with it
};

}  // namespace batchwindow
