#include "platform/core/large_blocks.h"

#include <malloc.h>

namespace core {

void giveLargeBlocksBackWhenFreed()
{
    constexpr int threshold = 256 * 1024;
    mallopt(M_MMAP_THRESHOLD, threshold);
}

void giveFreeMemoryBack() { malloc_trim(0); }

}  // namespace core
