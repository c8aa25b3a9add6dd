// Makes the program's parts known before it runs: the interfaces built in code ("Document", "DropWindow",
// "GeneratePopover", "BatchWindow") and the movie document type, with the extensions of the movie files it
// opens. Once; main thread.
#pragma once

namespace vistrel {

void registerApplicationParts();

}  // namespace vistrel
