// The interface "DropWindow": a small window whose whole content is a drop view, with a line that asks for
// movies and two capsule buttons, Open (the open panel) and Batch (the batch window). Main thread only.
#pragma once

namespace vistrel {

// Registers the builder under "DropWindow"; the owner is the window controller that loads it.
void registerDropWindowInterface();

}  // namespace vistrel
