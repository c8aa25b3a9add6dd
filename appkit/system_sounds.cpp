#include "appkit/system_sounds.h"

namespace kestrane::Sound {

std::shared_ptr<ui::Sound> basso() { return ui::Sound::named("Basso"); }
std::shared_ptr<ui::Sound> blow() { return ui::Sound::named("Blow"); }
std::shared_ptr<ui::Sound> bottle() { return ui::Sound::named("Bottle"); }
std::shared_ptr<ui::Sound> frog() { return ui::Sound::named("Frog"); }
std::shared_ptr<ui::Sound> funk() { return ui::Sound::named("Funk"); }
std::shared_ptr<ui::Sound> glass() { return ui::Sound::named("Glass"); }
std::shared_ptr<ui::Sound> hero() { return ui::Sound::named("Hero"); }
std::shared_ptr<ui::Sound> morse() { return ui::Sound::named("Morse"); }
std::shared_ptr<ui::Sound> ping() { return ui::Sound::named("Ping"); }
std::shared_ptr<ui::Sound> pop() { return ui::Sound::named("Pop"); }
std::shared_ptr<ui::Sound> purr() { return ui::Sound::named("Purr"); }
std::shared_ptr<ui::Sound> sosumi() { return ui::Sound::named("Sosumi"); }
std::shared_ptr<ui::Sound> submarine() { return ui::Sound::named("Submarine"); }
std::shared_ptr<ui::Sound> tink() { return ui::Sound::named("Tink"); }

}  // namespace kestrane::Sound
