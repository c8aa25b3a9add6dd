// The system sounds by name. Each is looked up when asked (see ui::Sound::named): in the application's bundles,
// then in the desktop's sound themes. A sound found nowhere is still given, and playing it does nothing.
// Main thread only.
#pragma once

#include <memory>

#include "platform/ui/sound.h"

namespace kestrane::Sound {

std::shared_ptr<ui::Sound> basso();      // "Basso"
std::shared_ptr<ui::Sound> blow();       // "Blow"
std::shared_ptr<ui::Sound> bottle();     // "Bottle"
std::shared_ptr<ui::Sound> frog();       // "Frog"
std::shared_ptr<ui::Sound> funk();       // "Funk"
std::shared_ptr<ui::Sound> glass();      // "Glass"
std::shared_ptr<ui::Sound> hero();       // "Hero"
std::shared_ptr<ui::Sound> morse();      // "Morse"
std::shared_ptr<ui::Sound> ping();       // "Ping"
std::shared_ptr<ui::Sound> pop();        // "Pop"
std::shared_ptr<ui::Sound> purr();       // "Purr"
std::shared_ptr<ui::Sound> sosumi();     // "Sosumi"
std::shared_ptr<ui::Sound> submarine();  // "Submarine"
std::shared_ptr<ui::Sound> tink();       // "Tink"

}  // namespace kestrane::Sound
