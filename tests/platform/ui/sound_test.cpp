// Sounds by name: the application's bundles first, then the desktop's sound themes; a name found nowhere still
// gives a sound that plays nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/core/bundle.h"
#include "platform/core/data.h"
#include "platform/ui/sound.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file)
{
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(core::writeAtomically(core::dataFromString("RIFF"), file.string()));
}

// Points the data folders and the main bundle at test folders while it lives.
class SoundPlaces {
public:
    SoundPlaces()
    {
        if (const char* old = std::getenv("XDG_DATA_DIRS")) saved_ = old;
        setenv("XDG_DATA_DIRS", (data_.path().string() + ":" + (data_ / "second").string()).c_str(), 1);
        fs::create_directories(main_.path());
        core::Bundle::setMain(core::Bundle::atPath(main_.path().string()));
    }
    ~SoundPlaces()
    {
        if (saved_) setenv("XDG_DATA_DIRS", saved_->c_str(), 1);
        else unsetenv("XDG_DATA_DIRS");
        core::Bundle::setMain(nullptr);
    }
    const testsupport::TempDir& data() const { return data_; }
    const testsupport::TempDir& main() const { return main_; }

private:
    testsupport::TempDir data_{"data-dirs"};
    testsupport::TempDir main_{"main-bundle"};
    std::optional<std::string> saved_;
};

TEST(Sound, LooksInTheMainBundleBeforeTheThemes)
{
    SoundPlaces places;
    touch(places.data() / "sounds/freedesktop/stereo/glass.oga");
    touch(places.data() / "sounds/aaa/stereo/Glass.oga");
    touch(places.data() / "second/sounds/freedesktop/stereo/Hero.wav");
    touch(places.main() / "Sounds/Tink.wav");
    touch(places.data() / "sounds/freedesktop/stereo/Tink.oga");

    auto tink = ui::Sound::named("Tink");
    ASSERT_TRUE(tink->url());
    EXPECT_EQ(tink->url()->path(), (places.main() / "Sounds/Tink.wav").string());
    // The fallback theme before the others; the exact name before the lower-case one there.
    auto glass = ui::Sound::named("Glass");
    ASSERT_TRUE(glass->url());
    EXPECT_EQ(glass->url()->path(), (places.data() / "sounds/freedesktop/stereo/glass.oga").string());
    auto hero = ui::Sound::named("Hero");
    ASSERT_TRUE(hero->url());
    EXPECT_EQ(hero->url()->path(), (places.data() / "second/sounds/freedesktop/stereo/Hero.wav").string());
}

TEST(Sound, AMissingSoundStillExistsAndPlaysNothing)
{
    SoundPlaces places;
    auto sosumi = ui::Sound::named("Sosumi");
    ASSERT_TRUE(sosumi);
    EXPECT_EQ(sosumi->name(), "Sosumi");
    EXPECT_EQ(sosumi->url(), std::nullopt);
    EXPECT_FALSE(sosumi->play());
    sosumi->stop();
    sosumi->setVolume(3);
    EXPECT_EQ(sosumi->volume(), 1);
    EXPECT_EQ(ui::Sound::named("../Tink")->url(), std::nullopt);
}

}  // namespace
