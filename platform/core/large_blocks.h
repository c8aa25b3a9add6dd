// How the process's allocator treats large blocks (decoded pictures and images of a megabyte and more), and
// giving back what its arenas keep free once a job is over.
#pragma once

namespace core {

// From now on every block of 256 KiB or more is mapped on its own and given back to the system when freed.
// Decoding threads allocate their pictures in allocator arenas of their own; with the allocator's default,
// which raises that threshold to the largest block freed so far, those arenas would keep the pictures of every
// finished job and the process would grow with each one. Call once, early, on the main thread.
void giveLargeBlocksBackWhenFreed();

// Gives the memory the allocator keeps free in its arenas back to the system. Worker threads that end leave
// their arenas behind with what they freed last (a finished job's decoders): the next job would reuse it, but
// until then the process holds it for nothing. Any thread; it walks every arena, so call it after a job, not
// after each frame.
void giveFreeMemoryBack();

}  // namespace core
