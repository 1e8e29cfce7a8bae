#include "Support/ProcessMemory.h"

#include <cstdlib> // names the C library, so the test below sees it

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tessarin::ProcessMemory {

namespace {

constexpr int kLargeBlockBytes = 128 * 1024;

} // namespace

void returnLargeBlocksWhenFreed() {
#if defined(__GLIBC__)
    // Setting the limit at all also stops the library from moving it.
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
}

void releaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace tessarin::ProcessMemory
