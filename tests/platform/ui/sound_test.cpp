// Sounds by name: the application's bundles first, then the desktop's sound themes; a name found nowhere still
// gives a sound that plays nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

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
        if (saved_)
            setenv("XDG_DATA_DIRS", saved_->c_str(), 1);
        else
            unsetenv("XDG_DATA_DIRS");
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
    touch(places.data() / "sounds/freedesktop/stereo/chime.oga");
    touch(places.data() / "sounds/aaa/stereo/Chime.oga");
    touch(places.data() / "second/sounds/freedesktop/stereo/Knock.wav");
    touch(places.main() / "Sounds/Bell.wav");
    touch(places.data() / "sounds/freedesktop/stereo/Bell.oga");

    auto bell = ui::Sound::named("Bell");
    ASSERT_TRUE(bell->url());
    EXPECT_EQ(bell->url()->path(), (places.main() / "Sounds/Bell.wav").string());
    // The fallback theme before the others; the exact name before the lower-case one there.
    auto chime = ui::Sound::named("Chime");
    ASSERT_TRUE(chime->url());
    EXPECT_EQ(chime->url()->path(), (places.data() / "sounds/freedesktop/stereo/chime.oga").string());
    auto knock = ui::Sound::named("Knock");
    ASSERT_TRUE(knock->url());
    EXPECT_EQ(knock->url()->path(), (places.data() / "second/sounds/freedesktop/stereo/Knock.wav").string());
}

TEST(Sound, AMissingSoundStillExistsAndPlaysNothing)
{
    SoundPlaces places;
    auto nowhere = ui::Sound::named("Nowhere");
    ASSERT_TRUE(nowhere);
    EXPECT_EQ(nowhere->name(), "Nowhere");
    EXPECT_EQ(nowhere->url(), std::nullopt);
    EXPECT_FALSE(nowhere->play());
    nowhere->stop();
    nowhere->setVolume(3);
    EXPECT_EQ(nowhere->volume(), 1);
    nowhere->setVolume(-1);
    EXPECT_EQ(nowhere->volume(), 0);
    EXPECT_EQ(ui::Sound::named("../Tink")->url(), std::nullopt);
}

std::uint32_t little(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | std::uint8_t(bytes.at(at + i));
    return value;
}

// Checks that `file` is a RIFF WAVE of 22050 Hz mono 16-bit PCM with samples, walking its chunks.
void expectShortPcmWave(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GE(bytes.size(), 44u) << file;
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(little(bytes, 4, 4), bytes.size() - 8);
    EXPECT_EQ(bytes.substr(8, 4), "WAVE");
    bool sawFormat = false;
    std::uint32_t samples = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t length = little(bytes, at + 4, 4);
        ASSERT_LE(at + 8 + length, bytes.size()) << file << " chunk " << id;
        if (id == "fmt ") {
            sawFormat = true;
            EXPECT_EQ(little(bytes, at + 8, 2), 1u);       // PCM
            EXPECT_EQ(little(bytes, at + 10, 2), 1u);      // mono
            EXPECT_EQ(little(bytes, at + 12, 4), 22050u);  // samples per second
            EXPECT_EQ(little(bytes, at + 22, 2), 16u);     // bits per sample
        } else if (id == "data") {
            samples = length / 2;
        }
        at += 8 + length + (length & 1);
    }
    EXPECT_TRUE(sawFormat) << file;
    // Between a tenth of a second and somewhat over half a second.
    EXPECT_GE(samples, 2205u) << file;
    EXPECT_LE(samples, 22050u * 7 / 10) << file;
}

TEST(Sound, TheSystemSoundsComeWithKestrane)
{
    SoundPlaces places;  // an empty main bundle and no themes: only the bundles beside the program remain
    for (const char* name : {"Basso", "Blow", "Bottle", "Frog", "Funk", "Glass", "Hero", "Morse", "Ping", "Pop", "Purr",
                             "Sosumi", "Submarine", "Tink"}) {
        auto sound = ui::Sound::named(name);
        ASSERT_TRUE(sound->url()) << name;
        const fs::path file = sound->url()->path();
        EXPECT_EQ(file.filename(), std::string(name) + ".wav");
        EXPECT_EQ(file.parent_path().filename(), "Sounds");
        EXPECT_EQ(file.parent_path().parent_path().filename(), "Kestrane.bundle");
        expectShortPcmWave(file);
    }
    // Played at the snap sound's volume; without an audio device nothing is heard, and nothing fails.
    auto pop = ui::Sound::named("Pop");
    pop->setVolume(0.15);
    EXPECT_TRUE(pop->play());
    EXPECT_TRUE(pop->play());
    pop->stop();
    EXPECT_DOUBLE_EQ(pop->volume(), 0.15);
}

TEST(Sound, TheMainBundleOutranksKestrane)
{
    SoundPlaces places;
    touch(places.main() / "Sounds/Pop.wav");
    EXPECT_EQ(ui::Sound::named("Pop")->url()->path(), (places.main() / "Sounds/Pop.wav").string());
    EXPECT_NE(ui::Sound::named("Ping")->url()->path().find("Kestrane.bundle"), std::string::npos);
}

TEST(Sound, AFileOfAnotherKindPlaysThroughThePlayer)
{
    SoundPlaces places;
    fs::create_directories(places.main() / "Sounds");
    fs::copy_file(ui::Sound::named("Tink")->url()->path(), places.main() / "Sounds/Ring.oga");
    auto ring = ui::Sound::named("Ring");
    ASSERT_TRUE(ring->url());
    EXPECT_TRUE(ring->play());
    ring->setVolume(0.5);
    ring->stop();
    EXPECT_TRUE(ring->play());
    EXPECT_EQ(ring->volume(), 0.5);
}

}  // namespace
