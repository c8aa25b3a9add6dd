#include "tests/app/document_fixture.h"

#include <algorithm>
#include <mutex>

#include "app/document/application_parts.h"
#include "app/document/movie_opening.h"
#include "app/document/snaps_manager.h"
#include "app/document/snaps_view.h"
#include "foundation/shortcuts.h"
#include "moviekit/player.h"
#include "tests/platform/core/run_until.h"
#include "tests/support/temp_dir.h"
#include "tools/testmovie/test_movie.h"

namespace documenttest {

namespace {

struct Item : ui::ValidatedUserInterfaceItem {
    explicit Item(ui::Action action) : action_(std::move(action)) {}
    ui::Action action() const override { return action_; }
    long tag() const override { return 0; }
    ui::Action action_;
};

}  // namespace

std::string makeMovie(const std::filesystem::path& folder, const std::string& name, int frames)
{
    testmovie::MovieSpec spec;
    spec.rateNum = rate;
    spec.rateDen = 1;
    spec.frameCount = frames;
    spec.keyInterval = 8;
    const std::string path = (folder / name).string();
    testmovie::writeMovie(path, spec);
    return path;
}

const std::string& clipMovie()
{
    static testsupport::TempDir folder("movies");
    static std::string path;
    static std::once_flag made;
    std::call_once(made, [] { path = makeMovie(folder.path(), "clip.mp4", 60); });
    return path;
}

media::Time frameTime(int k) { return media::Time::make(k, rate); }

void DocumentTest::SetUp() { vistrel::registerApplicationParts(); }

void DocumentTest::TearDown()
{
    closeAll();
    core::MainLoop::processEvents(2 * vistrel::SnapsView::animationDuration + 0.1);
}

std::shared_ptr<vistrel::Document> open(const std::string& path)
{
    vistrel::registerApplicationParts();
    auto controller = kestrane::DC.get();
    const std::size_t before = controller->documents().size();
    vistrel::openDocument(*controller, core::Url::fileURL(path));
    if (controller->documents().size() == before) return nullptr;
    auto document = std::dynamic_pointer_cast<vistrel::Document>(controller->documents().back());
    // A movie slow to be probed (a loaded machine) opens a moment later.
    if (document) testsupport::runUntil([&] { return document->isMovieOpen(); });
    return document;
}

void closeAll()
{
    for (auto& document : std::vector(kestrane::DC->documents()))
        document->close();
}

bool showFrame(vistrel::Document& document, int k)
{
    auto player = document.movie()->player();
    player->pause();
    player->seekAccurately(frameTime(k));
    return testsupport::runUntil([&] {
        return player->currentTime() == frameTime(k) && player->avplayer()->videoFrameShownAt(frameTime(k)) != nullptr;
    });
}

bool settledOnAFrame(orvalis::Player& player)
{
    return testsupport::runUntil([&] {
        const auto& shown = player.avplayer();
        return shown->videoFrameShownAt(shown->currentTime()) != nullptr;
    });
}

bool waitForSnaps(vistrel::Document& document, std::size_t count)
{
    return testsupport::runUntil([&] { return document.snapsManager()->items().size() == count; });
}

int frameOf(const gfx::ImageRef& image) { return image ? testmovie::readFrameIndex(*image) : -1; }

std::string withoutSnapReasons(const std::string& errors)
{
    static const std::string snapLine = "Cannot snap image at ";
    // "hh:mm:ss:mmm", then ": " and the reason.
    constexpr std::size_t timeLength = 12;
    std::string kept;
    std::size_t start = 0;
    while (start < errors.size()) {
        std::size_t end = errors.find('\n', start);
        if (end == std::string::npos) end = errors.size();
        std::string line = errors.substr(start, end - start);
        if (line.rfind(snapLine, 0) == 0) {
            const std::size_t reason = snapLine.size() + timeLength;
            EXPECT_TRUE(line.size() > reason + 2 && line.compare(reason, 2, ": ") == 0) << "no reason: " << line;
            line.resize(std::min(line.size(), reason));
        }
        kept += line + (end < errors.size() ? "\n" : "");
        start = end + 1;
    }
    return kept;
}

bool enables(vistrel::Document& document, const ui::Action& action)
{
    return document.validateUserInterfaceItem(Item(action));
}

}  // namespace documenttest
