// The cell of a segmented control. Main thread only.
#pragma once

#include "platform/ui/segmented_control.h"

namespace kestrane {

// Segmented controls here have no separate cell: what a cell holds elsewhere (control size, tracking mode,
// each segment's label, image, width, tag and selection) is kept by the control itself, so the control is its
// own cell, and the cell-level calls are the control's.
inline ui::SegmentedControl& segmentedCell(ui::SegmentedControl& control) { return control; }

}  // namespace kestrane
