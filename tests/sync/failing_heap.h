// A C heap for tests that can make one chosen allocation fail and that counts
// the blocks alive, so that exhausted memory and leaks show in a plain build.
// It replaces malloc, calloc, realloc and free for the whole executable and
// forwards to glibc; it cannot be combined with a sanitizer's allocator.
#pragma once

#include <cstddef>

namespace failing_heap {

// The nth allocation (malloc, calloc or realloc) from now on fails, once; the
// others succeed. n = 0 lets every allocation succeed.
void FailNthAllocation(long n);

// Lets every allocation succeed again; true when the chosen one did fail.
bool Disarm();

// Blocks allocated and not yet released, over the whole executable.
long LiveBlocks();

// The largest single request since the last reset, in bytes.
std::size_t LargestRequest();
void ResetLargestRequest();

}  // namespace failing_heap
