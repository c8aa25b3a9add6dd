// The open panels that ask for movies (the document's Open… and the batch's Add…): every type the program
// reads under a named filter, any file under another, starting in the user's videos folder and, once a
// folder has been used, in the last one (kept across launches). Main thread only.
#pragma once

#include "platform/ui/save_panel.h"

namespace vistrel {

void prepareMovieOpenPanel(ui::OpenPanel& panel);

}  // namespace vistrel
