// The defaults the program ships in its bundle, as a first launch registers them: each setting that the code
// reads starts at the value it falls back on when the key has none, and the batch window's settings at theirs.
#include <gtest/gtest.h>

#include "app/document/defaults_keys.h"
#include "foundation/launch_setup.h"
#include "moviekit/image_namer.h"
#include "platform/core/bundle.h"
#include "platform/core/user_defaults.h"
#include "tests/support/temp_dir.h"

namespace {

using core::Value;

TEST(ShippedDefaults, AFirstLaunchRegistersTheDefaultOfEverySetting)
{
    core::Bundle::setMain(core::Bundle::named("Vistrel"));
    testsupport::TempDir folder("defaults");
    const auto defaults = std::make_shared<core::UserDefaults>((folder / "store.plist").string());
    ::testing::internal::CaptureStdout();
    kestrane::setup(defaults);
    ASSERT_EQ(::testing::internal::GetCapturedStdout(), "") << "the shipped files are missing or damaged";
    const auto number = [&](const std::string& key) {
        const auto value = defaults->object(key);
        return value ? value->asDouble() : std::nullopt;
    };

    // Read by the documents and the batch.
    EXPECT_EQ(defaults->object(vistrel::EnableFlashAnimationKey), Value(true));
    EXPECT_EQ(defaults->object(vistrel::EnableFlashSoundKey), Value(true));
    EXPECT_EQ(number(vistrel::TimeLapseIntervalKey), 0.1) << "the delay of a GIF frame, in seconds";
    EXPECT_EQ(number(vistrel::TimeLapseMaxSizeKey), 0) << "GIF frames at the movie's size";
    EXPECT_EQ(number(vistrel::PreferredImageFormatKey), 0) << "PNG";
    std::vector<std::string> markups;
    for (const auto& markup : defaults->array(vistrel::BatchOutputMarkupsKey).value_or(core::Array{}))
        markups.push_back(markup.string().value_or(""));
    EXPECT_EQ(markups, orvalis::ImageNamer::DefaultMarkups());
    EXPECT_EQ(number(vistrel::BatchManagerConcurrentCountKey), 8);
    EXPECT_EQ(number(vistrel::BatchAlertUserTypeKey), 1) << "a notification at the end of a batch";

    // The batch window's settings: a frame every second, in PNG at the movie's size; a file
    // already there is replaced, and the errors only counted.
    EXPECT_EQ(number(vistrel::BatchSplitterModeKey), 0);
    EXPECT_EQ(number(vistrel::BatchEverySecondsKey), 1);
    EXPECT_EQ(number(vistrel::BatchEveryFramesKey), 25);
    EXPECT_EQ(number(vistrel::BatchNbFramesKey), 10);
    EXPECT_EQ(number(vistrel::BatchMaxSizeKey), 0);
    EXPECT_EQ(number(vistrel::BatchImageFormatKey), 0);
    EXPECT_EQ(number(vistrel::BatchFileErrorHandlerKey), 0);
    EXPECT_EQ(number(vistrel::BatchSnapErrorHandlerKey), 0);
}

}  // namespace
