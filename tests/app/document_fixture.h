// What the document tests share: generated movies whose frames carry their index (10 frames a second, so
// frame k starts at k / 10 s), documents opened as the desktop hands files over, the player moved to a frame
// and waited for, snaps waited for, and items to validate commands with.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/document/document.h"
#include "moviekit/player.h"
#include "platform/gfx/image.h"
#include "platform/media/time.h"
#include "platform/ui/action.h"

namespace documenttest {

constexpr int rate = 10;

// 60 frames (6 s) of 160 × 120 H.264, key frames every 8, made once into the process's folder.
const std::string& clipMovie();
// A movie of `frames` frames at `name` in `folder`.
std::string makeMovie(const std::filesystem::path& folder, const std::string& name, int frames = 30);

media::Time frameTime(int k);

// Registers the program's parts, then opens the file as the command line or a drop does; the document
// opened (its movie probed), or null.
std::shared_ptr<vistrel::Document> open(const std::string& path);
// Closes every open document.
void closeAll();

// Pauses the player on frame k (shown) and waits for it; false when it did not get there within the limit.
bool showFrame(vistrel::Document& document, int k);
// Serves the main queue until the paused player shows the frame at its time, with no seek or step under way;
// false when it does not within the limit.
bool settledOnAFrame(orvalis::Player& player);
// Serves the main queue until the document holds `count` snaps; false when it does not within the limit.
bool waitForSnaps(vistrel::Document& document, std::size_t count);
// The index a snap's picture shows (-1 without one).
int frameOf(const gfx::ImageRef& image);

// The errors of an export with the reason taken off each line of a frame that could not be had ("Cannot snap
// image at <time>: <reason>" becomes "Cannot snap image at <time>"); a line without a reason is a failure.
std::string withoutSnapReasons(const std::string& errors);

// Whether the document enables a command item of that action.
bool enables(vistrel::Document& document, const ui::Action& action);

// Knows the program's parts and closes the documents of one test.
class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Also lets the strips' animations end: work they left on the main queue holds their cells.
    void TearDown() override;
};

}  // namespace documenttest
