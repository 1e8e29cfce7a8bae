#pragma once

namespace tessarin::ProcessMemory {

// Blocks of 128 KiB and more (window captures, pictures) get mappings of their own, which go
// back to the system the moment they are freed. Left to itself the C library raises that limit
// each time such a block is freed, and from then on keeps freed captures in its heaps. Called
// once at program start.
void returnLargeBlocksWhenFreed();

// Hands the free memory the C library still holds back to the system, once a burst of large
// allocations has ended.
void releaseFreedMemory();

} // namespace tessarin::ProcessMemory
