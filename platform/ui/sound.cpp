#include "platform/ui/sound.h"

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/core/bundle.h"
#include "platform/core/main_thread.h"
#include "platform/media/asset.h"
#include "platform/media/player.h"
#include "platform/media/player_item.h"

namespace ui {

namespace fs = std::filesystem;

namespace {

const char* const soundExtensions[] = {"wav", "oga", "ogg", "flac", "aiff"};

std::optional<core::Url> soundInBundle(const core::Bundle& bundle, const std::string& name)
{
    for (const char* folder : {"Sounds", ""})
        for (const char* extension : soundExtensions)
            if (auto url = bundle.urlForResource(name, extension, folder)) return url;
    return std::nullopt;
}

// The main bundle, then the other bundles beside the executable, by name.
std::vector<std::shared_ptr<const core::Bundle>> applicationBundles()
{
    std::vector<std::shared_ptr<const core::Bundle>> bundles{core::Bundle::main()};
    if (!QCoreApplication::instance()) return bundles;
    std::error_code error;
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(QCoreApplication::applicationDirPath().toStdString(), error))
        if (entry.path().extension() == ".bundle" && entry.is_directory(error)) folders.push_back(entry.path());
    std::sort(folders.begin(), folders.end());
    for (const auto& folder : folders)
        if (fs::path(folder) != fs::path(bundles.front()->path()))
            if (auto bundle = core::Bundle::atPath(folder.string())) bundles.push_back(bundle);
    return bundles;
}

std::vector<fs::path> dataFolders()
{
    const char* value = std::getenv("XDG_DATA_DIRS");
    const std::string list = value && *value ? value : "/usr/local/share:/usr/share";
    std::vector<fs::path> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start) folders.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

// The themes of a sounds folder: "freedesktop" (every desktop's fallback) first, then the others by name.
std::vector<fs::path> themesIn(const fs::path& sounds)
{
    std::error_code error;
    std::vector<fs::path> themes;
    for (const auto& entry : fs::directory_iterator(sounds, error))
        if (entry.is_directory(error) && entry.path().filename() != "freedesktop") themes.push_back(entry.path());
    std::sort(themes.begin(), themes.end());
    if (fs::is_directory(sounds / "freedesktop", error)) themes.insert(themes.begin(), sounds / "freedesktop");
    return themes;
}

std::optional<core::Url> soundInThemes(const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    std::error_code error;
    for (const auto& data : dataFolders())
        for (const auto& theme : themesIn(data / "sounds"))
            for (const fs::path& folder : {theme / "stereo", theme})
                for (const std::string& candidate : {name, lower})
                    for (const char* extension : {"oga", "ogg", "wav"}) {
                        const fs::path file = folder / (candidate + "." + extension);
                        if (fs::is_regular_file(file, error)) return core::Url::fileURL(file.string());
                    }
    return std::nullopt;
}

}  // namespace

// Every kind of file plays through our own player. (Qt's sound effects load on a thread of a cache that,
// when the process ends while it still loads one, never lets the process end.)
struct Sound::Impl {
    std::shared_ptr<media::Player> player;
};

std::shared_ptr<Sound> Sound::named(const std::string& name)
{
    std::optional<core::Url> url;
    if (!name.empty() && name.find('/') == std::string::npos) {
        for (const auto& bundle : applicationBundles())
            if ((url = soundInBundle(*bundle, name))) break;
        if (!url) url = soundInThemes(name);
    }
    return core::make<Sound>(name, url);
}

Sound::Sound(std::string name, std::optional<core::Url> url) : name_(std::move(name)), url_(std::move(url)) {}
Sound::~Sound() = default;

void Sound::setVolume(double volume)
{
    volume_ = std::clamp(volume, 0.0, 1.0);
    if (impl_) impl_->player->setVolume(float(volume_));
}

bool Sound::play()
{
    core::assertMainThread();
    if (!url_) return false;
    if (!impl_) {
        // Made on first play: most named sounds never play.
        impl_ = std::make_unique<Impl>();
        impl_->player = media::Player::create(media::PlayerItem::create(media::Asset::create(*url_)));
        setVolume(volume_);
    }
    impl_->player->seek(media::Time::zero(), media::Time::zero(), media::Time::zero());
    impl_->player->play();
    return true;
}

void Sound::stop()
{
    core::assertMainThread();
    if (impl_) impl_->player->pause();
}

}  // namespace ui
