// The demo's frame allocates nothing: no allocation per frame by our code,
// raylib or GLFW (all linked into this executable). The OpenGL driver and Xlib
// do allocate inside their own calls; those are counted apart and reported.
//
// Every allocation function is replaced here; a call counts while a frame runs
// on the main thread, attributed by whether its caller lies in this executable.
// The frame is the real one: a whole Demo is set up (full-screen window, sound
// device, music) under the headless harness and its Frame is called.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <raylib.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "demo.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

thread_local bool counting = false;
std::atomic<long> ownAllocations{0};
std::atomic<long> libraryAllocations{0};
const void* executableBase = nullptr;

void Count(const void* caller)
{
    if (!counting) return;
    counting = false;  // dladdr must not count itself
    Dl_info info{};
    const bool own = dladdr(caller, &info) != 0 && info.dli_fbase == executableBase;
    (own ? ownAllocations : libraryAllocations)++;
    counting = true;
}

void* NewBlock(std::size_t size, const void* caller)
{
    Count(caller);
    void* block = __libc_malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

}  // namespace

extern "C" void* malloc(std::size_t size)
{
    Count(__builtin_return_address(0));
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size)
{
    Count(__builtin_return_address(0));
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, std::size_t size)
{
    Count(__builtin_return_address(0));
    return __libc_realloc(block, size);
}

void* operator new(std::size_t size) { return NewBlock(size, __builtin_return_address(0)); }
void* operator new[](std::size_t size) { return NewBlock(size, __builtin_return_address(0)); }
void operator delete(void* block) noexcept { __libc_free(block); }
void operator delete[](void* block) noexcept { __libc_free(block); }
void operator delete(void* block, std::size_t) noexcept { __libc_free(block); }
void operator delete[](void* block, std::size_t) noexcept { __libc_free(block); }

namespace {

TEST(DemoFrame, AllocatesNothingOfItsOwn)
{
    Dl_info self{};
    ASSERT_NE(dladdr(reinterpret_cast<const void*>(&Count), &self), 0);
    executableBase = self.dli_fbase;

    SetTraceLogLevel(LOG_WARNING);
    Demo demo(DemoOptions{});
    // The frame's own work does not depend on how many pixels the shader
    // colours, so only a corner of the target and the screen is shaded.
    BeginScissorMode(0, 0, 8, 8);
    for (int warmUp = 0; warmUp < 3; ++warmUp) ASSERT_TRUE(demo.Frame());  // first-use buffers

    constexpr int kFrames = 200;
    int framesDrawn = 0;
    counting = true;
    for (int i = 0; i < kFrames; ++i) framesDrawn += demo.Frame() ? 1 : 0;
    counting = false;
    EndScissorMode();

    std::printf("%d frames: %ld allocations by the demo's code, raylib and GLFW; "
                "%ld inside the OpenGL driver and Xlib\n",
                kFrames, ownAllocations.load(), libraryAllocations.load());
    EXPECT_EQ(framesDrawn, kFrames);
    EXPECT_EQ(ownAllocations.load(), 0);
}

}  // namespace
