// Interposes the C heap by defining its functions in the executable, which the
// dynamic linker then prefers for every caller, the C library's own included.
#include "failing_heap.h"

#include <atomic>
#include <cerrno>
#include <cstdint>

extern "C" {
void* __libc_malloc(std::size_t size) noexcept;
void* __libc_calloc(std::size_t count, std::size_t size) noexcept;
void* __libc_realloc(void* block, std::size_t size) noexcept;
void __libc_free(void* block) noexcept;
}

namespace {

std::atomic<long> countdown{0};
std::atomic<bool> fired{false};
std::atomic<long> liveBlocks{0};
std::atomic<std::size_t> largestRequest{0};

// Counts one allocation against the countdown; true when this one must fail.
bool TakeFailure(std::size_t size)
{
    std::size_t largest = largestRequest.load();
    while (size > largest && !largestRequest.compare_exchange_weak(largest, size)) {
    }
    if (countdown.load() == 0) return false;
    if (countdown.fetch_sub(1) != 1) return false;
    fired = true;
    errno = ENOMEM;
    return true;
}

}  // namespace

namespace failing_heap {

void FailNthAllocation(long n)
{
    fired = false;
    countdown = n;
}

bool Disarm()
{
    countdown = 0;
    return fired.exchange(false);
}

long LiveBlocks() { return liveBlocks.load(); }

std::size_t LargestRequest() { return largestRequest.load(); }

void ResetLargestRequest() { largestRequest = 0; }

}  // namespace failing_heap

extern "C" void* malloc(std::size_t size) noexcept
{
    if (TakeFailure(size)) return nullptr;
    void* block = __libc_malloc(size);
    if (block != nullptr) ++liveBlocks;
    return block;
}

extern "C" void* calloc(std::size_t count, std::size_t size) noexcept
{
    const std::size_t total = size != 0 && count > SIZE_MAX / size ? SIZE_MAX : count * size;
    if (TakeFailure(total)) return nullptr;
    void* block = __libc_calloc(count, size);
    if (block != nullptr) ++liveBlocks;
    return block;
}

extern "C" void* realloc(void* block, std::size_t size) noexcept
{
    if (TakeFailure(size)) return nullptr;  // the old block stays as it was
    void* moved = __libc_realloc(block, size);
    if (block == nullptr && moved != nullptr) ++liveBlocks;
    if (block != nullptr && size == 0 && moved == nullptr) --liveBlocks;  // glibc freed it
    return moved;
}

extern "C" void free(void* block) noexcept
{
    if (block != nullptr) --liveBlocks;
    __libc_free(block);
}
