#include "platform/core/free_memory.h"

#include <malloc.h>

namespace core {

namespace {

// The sanitizers bring allocators of their own: the C library's, which malloc_trim works on, then holds
// nothing (and under AddressSanitizer was never set up).
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VISTREL_OWN_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VISTREL_OWN_ALLOCATOR 1
#endif

#ifdef VISTREL_OWN_ALLOCATOR
constexpr bool theLibraryAllocates = false;
#else
constexpr bool theLibraryAllocates = true;
#endif

}  // namespace

void giveFreeMemoryBack()
{
    if constexpr (theLibraryAllocates) malloc_trim(0);
}

}  // namespace core
