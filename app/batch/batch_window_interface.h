// The interface "BatchWindow": the batch window with the movies table and its preview above, the split and
// output settings, the export folder and the tasks table below, the two controllers of its halves, and every
// connection between them and the owning batch window controller. The settings controls keep their values in
// the user defaults. Main thread only.
#pragma once

#include <string>

namespace vistrel {

inline const std::string BatchWindowInterface = "BatchWindow";

// Makes the interface known by its name; once is enough, more is harmless.
void registerBatchWindowInterface();

}  // namespace vistrel
