// The interface "Document": the document window. The movie panel fills the top, its picture a flashing movie
// view; under it a row with the snaps label, the snap button (or, while busy, a spinner and the progress
// label), the generator button and the export and share buttons; at the bottom the snaps strip in a scroll
// view; over the picture the notice for a movie that cannot be played; and the export-errors sheet. Its
// owner is the Document whose outlets it sets and whose commands its controls send. Main thread only.
#pragma once

namespace vistrel {

// The height of the strip and of the row above it, in points.
inline constexpr double documentStripHeight = 150;
inline constexpr double documentBarHeight = 48;

void registerDocumentWindowInterface();

}  // namespace vistrel
