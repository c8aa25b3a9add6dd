// Giving back to the system what the process's allocator keeps free, at the end of a job.
#pragma once

namespace core {

// Gives the memory the allocator keeps free in its arenas back to the system. The allocator keeps freed
// pictures, scaled frames and encoded files in its arenas (by its own rule, blocks up to the largest one freed so
// far are not mapped on their own), so that the next picture reuses them instead of a fresh mapping that the
// system maps and zeroes page by page and unmaps again. Once a job is over (an image job, a batch task, a GIF
// export, a closed document), what it held would stay with the process until the next job: worker threads
// that ended leave their arenas behind with what they freed last. Any thread; it walks every arena, so call it
// at the end of a job, never per frame.
void giveFreeMemoryBack();

}  // namespace core
