#include "platform/core/free_memory.h"

#include <malloc.h>

namespace core {

void giveFreeMemoryBack() { malloc_trim(0); }

}  // namespace core
