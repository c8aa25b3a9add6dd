// The interface "GeneratePopover": the start and end of the range with a button each to take the player's
// position, the number of frames, the two include check boxes, Reset and Generate. Its owner is the
// GeneratePopoverController whose outlets and actions it connects. Main thread only.
#pragma once

namespace vistrel {

void registerGeneratePopoverInterface();

}  // namespace vistrel
