// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/HeapMemory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>

#include <sys/mman.h>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Orvane
{

#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)

// The largest block glibc can be told to take from its heaps on a 64-bit system.
static constexpr std::size_t largestHeapBlock = std::size_t(32) << 20;
static std::atomic<std::size_t> allowedAhead{0};

void allowHeapMappedAhead(std::size_t largest)
{
    largest = std::min(largest, largestHeapBlock);
    // glibc maps a block of 128 KB or more on its own, and gives back what is freed at a heap's end beyond 128 KB:
    // the block mapped in ahead would go straight back. Each call fails only for values out of range.
    if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(largest)) == 1 &&
        mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * largest)) == 1)
        allowedAhead = largest;
}

bool mapHeapAhead(std::size_t bytes)
{
    if (bytes == 0 || bytes > allowedAhead)
        return false;
    // The block comes from the end of the thread's heap; freed, it goes back there, mapped in, for what follows.
    char* const block = static_cast<char*>(std::malloc(bytes));
    if (block == nullptr)
        return false;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(page - 1);
    // Kernels before 5.14 refuse the call: the pages are then mapped in as they are touched, as always.
    const bool mapped = end > begin && madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) == 0;
    std::free(block);
    return mapped;
}

void returnFreeHeapMemory()
{
    if (allowedAhead > 0)
        malloc_trim(0);
}

#else

void allowHeapMappedAhead(std::size_t) {}

bool mapHeapAhead(std::size_t)
{
    return false;
}

void returnFreeHeapMemory() {}

#endif

} // namespace Orvane
