// Movies open by their content, whatever their names: a DVD's .vob, an MXF file and a movie named .dat open
// from the command line, the open panel, a drop and a searched folder; a file that is no movie opens nothing
// and is named, with why, in one alert; a folder's other files are passed over without a word.
#include "tests/app/document_fixture.h"
#include "tests/app/file_drag.h"

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "app/document/drop_view.h"
#include "app/document/movie_opening.h"
#include "foundation/shortcuts.h"
#include "platform/core/error.h"
#include "platform/core/user_notices.h"
#include "platform/ui/pasteboard.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/ffmpeg_tool.h"
#include "tests/support/temp_dir.h"

namespace documenttest {
namespace {

namespace fs = std::filesystem;

// The files of one test: movies the ffmpeg tool makes of a test movie, and files that are none.
struct Files {
    testsupport::TempDir folder{"by-content"};
    std::string source = makeMovie(folder.path(), "source.mp4", 20);

    std::string tool(const std::string& name, std::vector<std::string> arguments) const
    {
        const std::string path = (folder / name).string();
        testsupport::runFfmpeg(source, arguments, path);
        return path;
    }
    std::string dvd(const std::string& name) const
    {
        return tool(name, {"-r", "25", "-c:v", "mpeg2video", "-q:v", "2", "-f", "vob"});
    }
    std::string mxf(const std::string& name) const
    {
        return tool(name, {"-r", "25", "-c:v", "mpeg2video", "-q:v", "2", "-f", "mxf"});
    }
    std::string renamed(const std::string& name) const
    {
        const std::string path = (folder / name).string();
        fs::copy_file(source, path);
        return path;
    }
    std::string text(const std::string& name, const std::string& content = "these are notes\n") const
    {
        const std::string path = (folder / name).string();
        std::ofstream(path) << content;
        return path;
    }
};

std::vector<core::Url> urls(const std::vector<std::string>& paths)
{
    std::vector<core::Url> made;
    for (const auto& path : paths)
        made.push_back(core::Url::fileURL(path));
    return made;
}

// The file names of the open documents, in order.
std::vector<std::string> openNames()
{
    std::vector<std::string> names;
    for (const auto& document : kestrane::DC->documents())
        names.push_back(document->fileURL()->lastPathComponent());
    return names;
}

// The one alert about files that could not be opened: its lines.
std::vector<std::string> toldLines()
{
    const auto notices = core::UserNotices::takePending();
    EXPECT_EQ(notices.size(), 1u);
    if (notices.size() != 1) return {};
    EXPECT_EQ(notices[0].message, "Some files could not be opened");
    std::vector<std::string> lines;
    std::istringstream text(notices[0].information);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

std::string refusal(const std::string& path, const std::string& reason)
{
    return "The file \"" + path + "\" couldn't be opened because " + reason + ".";
}

class OpeningByContent : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        static_cast<void>(core::UserNotices::takePending());
    }
};

TEST_F(OpeningByContent, NamedFilesOpenByWhatTheyHoldAndTheOthersAreNamedWithWhy)
{
    Files files;
    const std::string vob = files.dvd("VTS_01_1.VOB");
    const std::string mxf = files.mxf("camera.mxf");
    const std::string dat = files.renamed("recording.dat");
    const std::string notes = files.text("notes.mp4");
    const std::string empty = files.text("empty.vob", "");
    const std::string sound =
        files.tool("sound.vob", {"-f", "lavfi", "-i", "sine", "-t", "1", "-map", "1:a", "-c:a", "mp2", "-f", "vob"});
    const std::string missing = (files.folder / "missing.mpg").string();

    vistrel::openDocuments(*kestrane::DC.get(), urls({vob, notes, mxf, empty, dat, sound, missing}));
    EXPECT_EQ(openNames(), (std::vector<std::string>{"VTS_01_1.VOB", "camera.mxf", "recording.dat"}));
    const auto lines = toldLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], refusal(notes, "its content is in no movie format the program reads (Invalid data found "
                                       "when processing input)"));
    EXPECT_EQ(lines[1], refusal(empty, "it is empty"));
    EXPECT_EQ(lines[2], refusal(sound, "it has no video track, only sound (read as MPEG-PS (MPEG-2 Program Stream))"));
    EXPECT_EQ(lines[3], refusal(missing, "there is no such file or folder"));

    // Each plays: its snap button shows, and no notice that it cannot be played.
    for (const auto& each : kestrane::DC->documents()) {
        const auto document = std::dynamic_pointer_cast<vistrel::Document>(each);
        ASSERT_TRUE(document && testsupport::runUntil([&] { return document->isMovieOpen(); }, 60));
        EXPECT_FALSE(document->outlets().snapButton.lock()->isHidden()) << document->fileURL()->path();
        EXPECT_TRUE(document->outlets().unplayableLabel.lock()->isHidden()) << document->fileURL()->path();
    }
}

TEST_F(OpeningByContent, TheOpenPanelsTypeIsTheFilesContent)
{
    Files files;
    EXPECT_EQ(kestrane::DC->typeForContentsOf(core::Url::fileURL(files.renamed("movie.bin"))),
              vistrel::Document::movieType);
    EXPECT_EQ(kestrane::DC->typeForContentsOf(core::Url::fileURL(files.mxf("clip.mxf"))), vistrel::Document::movieType);
    const std::string text = files.text("readme.mov");
    try {
        static_cast<void>(kestrane::DC->typeForContentsOf(core::Url::fileURL(text)));
        ADD_FAILURE() << "a text was taken for a movie";
    } catch (const core::Error& error) {
        EXPECT_EQ(error.message(), refusal(text, "its content is in no movie format the program reads (Invalid data "
                                                 "found when processing input)"));
    }
}

TEST_F(OpeningByContent, AFoldersFilesAreGuessedByTheirNamesThenRead)
{
    Files files;
    const fs::path search = files.folder / "search";
    fs::create_directories(search / "inner");
    fs::create_directories(search / "folder.mp4");
    fs::rename(files.dvd("dvd.vob"), search / "dvd.vob");
    fs::rename(files.mxf("news.mxf"), search / "inner" / "news.mxf");
    fs::rename(files.renamed("unnamed"), search / "unnamed");
    fs::rename(files.renamed("take.dat"), search / "inner" / "take.dat");
    // Passed over without a word: no movie by its name (a picture, a text) or by its content (a file without
    // an extension), a folder named like a movie. Named as a movie but none: told.
    fs::rename(files.tool("still.png", {"-frames:v", "1"}), search / "still.png");
    fs::rename(files.text("notes.txt"), search / "notes.txt");
    fs::rename(files.text("LICENSE"), search / "LICENSE");
    fs::rename(files.text("broken.mp4"), search / "inner" / "broken.mp4");

    vistrel::openDocuments(*kestrane::DC.get(), urls({search.string()}));
    EXPECT_EQ(openNames(), (std::vector<std::string>{"dvd.vob", "news.mxf", "take.dat", "unnamed"}));
    const auto lines = toldLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], refusal((search / "inner" / "broken.mp4").string(),
                                "its content is in no movie format the program reads (Invalid data found when "
                                "processing input)"));
}

TEST_F(OpeningByContent, TheDropWindowTakesMoviesByContentAndNamesWhatItCannotOpen)
{
    Files files;
    const std::string vob = files.dvd("dvd.vob");
    const std::string dat = files.renamed("movie.dat");
    const std::string picture = files.tool("still.jpg", {"-frames:v", "1"});
    const std::string notes = files.text("notes.mp4");
    auto view = core::make<vistrel::DropView>(gfx::Rect{0, 0, 300, 200});

    EXPECT_EQ(view->draggingEntered(Drag(urls({dat}))), ui::DragOperations::copy);
    EXPECT_EQ(view->draggingEntered(Drag(urls({vob}))), ui::DragOperations::copy);
    EXPECT_EQ(view->draggingEntered(Drag(urls({picture}))), ui::DragOperations::none);
    // Named as a movie: taken, so that the drop can tell why it does not open.
    EXPECT_EQ(view->draggingEntered(Drag(urls({notes}))), ui::DragOperations::copy);
    view->draggingExited(nullptr);

    EXPECT_TRUE(view->performDragOperation(Drag(urls({notes, dat, picture, vob}))));
    EXPECT_EQ(openNames(), (std::vector<std::string>{"movie.dat", "dvd.vob"}));
    const auto lines = toldLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("The file \"" + notes + "\" couldn't be opened because its content", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], refusal(picture, "it is a still picture, not a movie"));
}

TEST_F(OpeningByContent, AFileThatDoesNotAnswerOpensOnlyWhenItsNameSaysItIsAMovie)
{
    // FIFOs no one writes to: reading them blocks, as a hung network mount does.
    Files files;
    const std::string named = (files.folder / "hung.mp4").string(), unnamed = (files.folder / "hung.dat").string();
    ASSERT_EQ(mkfifo(named.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(unnamed.c_str(), 0600), 0);
    vistrel::openDocuments(*kestrane::DC.get(), urls({unnamed, named}));
    EXPECT_EQ(openNames(), (std::vector<std::string>{"hung.mp4"}));
    EXPECT_EQ(toldLines(), (std::vector<std::string>{refusal(unnamed, "it did not answer when it was read")}));

    closeAll();
    // The readers still waiting for them end.
    for (const auto& path : {named, unnamed})
        if (const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK); writer >= 0) ::close(writer);
}

}  // namespace
}  // namespace documenttest
