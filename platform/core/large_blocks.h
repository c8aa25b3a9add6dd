// How the process's allocator treats large blocks (decoded pictures and images of a megabyte and more).
#pragma once

namespace core {

// From now on every block of 256 KiB or more is mapped on its own and given back to the system when freed.
// Decoding threads allocate their pictures in allocator arenas of their own; with the allocator's default,
// which raises that threshold to the largest block freed so far, those arenas would keep the pictures of every
// finished job and the process would grow with each one. Call once, early, on the main thread.
void giveLargeBlocksBackWhenFreed();

}  // namespace core
