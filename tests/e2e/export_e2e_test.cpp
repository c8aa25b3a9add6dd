// Snaps leaving the real program as a user takes them out: copied with Ctrl+C and read from the clipboard by
// another program (xclip), dragged out of the strip onto another program's window that takes files as a file
// manager does (XDND, text/uri-list), which copies them into its folder (and the program's own copies then
// go).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "platform/gfx/image_reader.h"
#include "tests/e2e/e2e_harness.h"
#include "tools/testmovie/test_movie.h"

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

// The index the picture of a file shows, or -1.
int frameInFile(const fs::path& file)
{
    const auto image = gfx::ImageReader::read(core::Url::fileURL(file.string()));
    return image ? testmovie::readFrameIndex(*image) : -1;
}

// The frames of an animated GIF as the ffprobe tool counts them by decoding it, or -1.
int framesInGIF(const fs::path& file)
{
    const std::string command = "/usr/bin/ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                "stream=nb_read_frames -of csv=p=0 '" +
                                file.string() + "' 2> /dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::array<char, 64> line{};
    const bool read = fgets(line.data(), int(line.size()), pipe) != nullptr;
    pclose(pipe);
    return read ? std::atoi(line.data()) : -1;
}

// The GIF files anywhere under the folder.
std::vector<fs::path> gifFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".gif") files.push_back(entry.path());
    return files;
}

// The program on a movie of 320 × 240, with snaps of the frames taken with the arrow and snap keys.
class ExportE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!e2e::toolsPresent()) GTEST_SKIP() << "not installed: " << e2e::missingTools();
        e2e::writeMovie(folder / "movie.mp4", 60);
        ASSERT_TRUE(server.ready()) << "Xvfb did not start";
        environment = e2e::programEnvironment(server, folder.path);
        fs::create_directories(temporary());
        environment["TMPDIR"] = temporary().string();
        screen = std::make_unique<e2e::Screen>(server.display());
        program = std::make_unique<e2e::Program>(std::vector<std::string>{(folder / "movie.mp4").string()}, environment,
                                                 folder / "program.log");
        const auto found = program->waitForWindow(*screen, "movie.mp4");
        ASSERT_TRUE(found) << program->output();
        window = *found;
        screen->focus(window);
    }

    // Steps forward and snaps for each count of frames, in order.
    void snapAfter(const std::vector<int>& steps)
    {
        std::vector<int> expected;
        int frame = 0;
        for (const int step : steps) {
            screen->key(std::vector<std::string>(std::size_t(step), "Right"));
            frame += step;
            expected.push_back(frame);
            // The snap of the frame on screen, once it is there.
            ASSERT_TRUE(e2e::waitUntil(
                [&] {
                    const auto image = screen->capture(window);
                    const auto pictures = image ? e2e::findPictures(*image, 100) : std::vector<e2e::Picture>{};
                    return std::any_of(pictures.begin(), pictures.end(),
                                       [&](auto& p) { return p.frameIndex == frame; });
                },
                e2e::waitLimit));
            screen->key({"Return"});
            ASSERT_TRUE(e2e::waitUntil([&] { return e2e::stripFrames(*screen, window) == expected; }, e2e::waitLimit))
                << "the strip holds " << e2e::stripFrames(*screen, window).size() << " snaps";
        }
    }

    void TearDown() override
    {
        if (!program) return;
        EXPECT_EQ(program->quit(*screen, window), 0) << program->output();
    }

    // The program's temporary folder.
    fs::path temporary() const { return folder.path / "tmp"; }
    // The files the program keeps in its temporary folder.
    std::vector<fs::path> temporaryFiles() const
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(temporary()))
            if (entry.is_regular_file() && entry.path().string().find("vistrel-drag-") != std::string::npos)
                files.push_back(entry.path());
        return files;
    }

    e2e::TestFolder folder{"export"};
    e2e::XServer server;
    std::map<std::string, std::string> environment;
    std::unique_ptr<e2e::Screen> screen;
    std::unique_ptr<e2e::Program> program;
    e2e::Window window;
};

TEST_F(ExportE2E, CopiedSnapIsReadFromTheClipboardByAnotherProgramAsPNG)
{
    if (std::system("command -v xclip > /dev/null") != 0) GTEST_SKIP() << "not installed: xclip";
    snapAfter({5, 9});
    const auto snaps = e2e::stripPictures(*screen, window);
    ASSERT_EQ(snaps.size(), 2u);
    screen->click(window, snaps[1].x + snaps[1].width / 2, snaps[1].y + snaps[1].height / 2);
    screen->key({"ctrl+c"});

    const fs::path pasted = folder.path / "pasted.png";
    const std::string read = "DISPLAY=" + server.display() +
                             " timeout 5 xclip -selection clipboard -t image/png -o > " + pasted.string() +
                             " 2> /dev/null";
    gfx::ImageRef image;
    ASSERT_TRUE(e2e::waitUntil(
        [&] {
            if (std::system(read.c_str()) != 0) return false;
            image = gfx::ImageReader::read(core::Url::fileURL(pasted.string()));
            return image != nullptr;
        },
        e2e::waitLimit))
        << "nothing of type image/png on the clipboard";
    EXPECT_EQ(image->width(), 320);
    EXPECT_EQ(image->height(), 240);
    EXPECT_EQ(testmovie::readFrameIndex(*image), 14);
}

TEST_F(ExportE2E, DraggedSnapsBecomeFilesInTheFolderTheyAreDroppedOn)
{
    snapAfter({3, 8, 11});
    const fs::path dropped = folder.path / "dropped";
    fs::create_directories(dropped);
    e2e::Process target({DROP_TARGET_PROGRAM, dropped.string()}, environment, folder.path / "target.log");
    const auto targetWindow = screen->waitForWindow(target.pid(), "Drop Target", e2e::waitLimit);
    ASSERT_TRUE(targetWindow) << target.output();

    screen->focus(window);
    screen->key({"ctrl+a"});
    const auto snaps = e2e::stripPictures(*screen, window);
    ASSERT_EQ(snaps.size(), 3u);
    screen->drag(window, snaps[0].x + snaps[0].width / 2, snaps[0].y + snaps[0].height / 2, *targetWindow,
                 targetWindow->width / 2, targetWindow->height / 2);

    const std::vector<std::string> names{"movie-00-00-00-100.png", "movie-00-00-00-367.png", "movie-00-00-00-734.png"};
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return std::all_of(names.begin(), names.end(), [&](auto& name) { return fs::exists(dropped / name); }); },
        e2e::waitLimit))
        << "the drop target says: " << target.output();
    EXPECT_EQ(std::distance(fs::directory_iterator(dropped), {}), 3);
    EXPECT_EQ(frameInFile(dropped / names[0]), 3);
    EXPECT_EQ(frameInFile(dropped / names[1]), 11);
    EXPECT_EQ(frameInFile(dropped / names[2]), 22);
    EXPECT_EQ(target.output().find("missing"), std::string::npos) << target.output();
    // Copied by the target: the program's own files of the drag are gone.
    EXPECT_TRUE(e2e::waitUntil([&] { return temporaryFiles().empty(); }, e2e::waitLimit))
        << temporaryFiles().size() << " files left, the first " << temporaryFiles().front();
}

TEST_F(ExportE2E, GIFCommandTwiceThenExportWritesOneWholeGIFAndLeavesNoSheet)
{
    snapAfter({4, 6, 9});
    const auto ids = [&] { return screen->windowIds(program->pid()); };
    const auto sheets = [&] { return screen->windows(program->pid(), "Export as GIF").size(); };
    screen->focus(window);
    // The command twice: the second press comes while the sheet is on its way, then again once it is up.
    screen->key({"ctrl+shift+g", "ctrl+shift+g"});
    ASSERT_TRUE(e2e::waitUntil([&] { return sheets() >= 1; }, e2e::waitLimit)) << program->output();
    screen->key({"ctrl+shift+g"});
    // A second sheet, if one came, would show within this wait.
    e2e::waitUntil([&] { return sheets() > 1; }, Seconds(3));
    ASSERT_EQ(sheets(), 1u);

    // Export… (the sheet's bottom right button), then the save panel: a file name typed over the proposed one.
    const auto sheet = screen->windows(program->pid(), "Export as GIF").front();
    const auto known = ids();
    screen->click(sheet, sheet.width - 16 - 55, sheet.height - 16 - 15);
    const auto panel = screen->waitForNewWindow(program->pid(), known, e2e::waitLimit);
    ASSERT_TRUE(panel) << "no save panel";
    screen->focus(*panel);
    const fs::path gif = folder.path / "snaps.gif";
    screen->key({"ctrl+a"});
    screen->type(gif.string());
    screen->key({"Return"});

    ASSERT_TRUE(e2e::waitUntil([&] { return fs::exists(gif) && framesInGIF(gif) == 3; }, e2e::waitLimit))
        << "frames: " << (fs::exists(gif) ? framesInGIF(gif) : 0) << "\n"
        << program->output();
    EXPECT_EQ(gifFiles(folder.path), std::vector<fs::path>{gif});
    EXPECT_EQ(frameInFile(gif), 4);
    // Nothing but the document window: no sheet, no panel, no error sheet.
    EXPECT_TRUE(e2e::waitUntil([&] { return ids() == std::set<unsigned long>{window.id}; }, e2e::waitLimit))
        << ids().size() << " windows\n"
        << program->output();
}

}  // namespace
