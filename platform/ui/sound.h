// A short sound played by name: a file of the application's bundles (in the bundle or its "Sounds" folder),
// else of the desktop's sound themes (<data dir>/sounds/<theme>/stereo). Kestrane's bundle ships the system
// sounds (Sounds/Basso.wav ... Sounds/Tink.wav, made by scripts/make_sounds.py). A name found nowhere still
// gives a sound, one that plays nothing. Played through media::Player on the default audio device, silently
// when there is none. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/core/object.h"
#include "platform/core/url.h"

namespace ui {

class Sound : public core::Object {
public:
    struct Impl;
    // Looks in the main bundle, then in the other bundles next to the executable, then in the sound themes
    // of $XDG_DATA_DIRS ("freedesktop" first; the name as given, then in lower case). Never null.
    static std::shared_ptr<Sound> named(const std::string& name);

    Sound(std::string name, std::optional<core::Url> url);
    ~Sound() override;

    const std::string& name() const { return name_; }
    // The file that plays; nullopt for a sound the system does not have.
    const std::optional<core::Url>& url() const { return url_; }
    // From 0 (silent) to 1, the default.
    double volume() const { return volume_; }
    void setVolume(double volume);

    // Plays the sound from its start (again, when it is playing); false when it has no file.
    bool play();
    void stop();

private:
    std::string name_;
    std::optional<core::Url> url_;
    double volume_ = 1;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ui
