// The interface "GIFExportPanel": the GIF sheet's window, with the frames table (columns "Index" and "Time"),
// the preview and its position label, the buttons that step, move and remove frames, the frame delay field
// with its stepper and the size field (both bound to the user defaults the GIF writing reads), and Cancel and
// Export. Its owner is the GIFExporterController whose outlets and actions it connects. Main thread only.
#pragma once

namespace vistrel {

void registerGIFExportPanelInterface();

}  // namespace vistrel
