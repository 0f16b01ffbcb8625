// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/StartupMemory.h"

#include <cstdint>
#include <cstdlib>

#include <sys/mman.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Orvane
{

// Under AddressSanitizer the heap is the sanitizer's own, which these settings do not reach.
#if defined(__SANITIZE_ADDRESS__)
#define ORVANE_GLIBC_HEAP 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANE_GLIBC_HEAP 0
#endif
#endif
#if !defined(ORVANE_GLIBC_HEAP) && defined(__GLIBC__)
#define ORVANE_GLIBC_HEAP 1
#endif
#ifndef ORVANE_GLIBC_HEAP
#define ORVANE_GLIBC_HEAP 0
#endif

#if ORVANE_GLIBC_HEAP && defined(MADV_POPULATE_WRITE)

namespace
{

// The most taken in one step, and glibc's defaults, put back when the hold ends.
constexpr std::size_t largestStep = 64 * 1024 * 1024;
constexpr int defaultThreshold = 128 * 1024;

} // namespace

StartupMemory::StartupMemory()
{
    // Blocks up to the largest step come from the heap, so a step's block is carved up by the allocations after
    // it; freeing it, or anything else, does not hand memory back before twice that much lies free.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(largestStep));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * largestStep));
}

StartupMemory::~StartupMemory()
{
    mallopt(M_MMAP_THRESHOLD, defaultThreshold);
    mallopt(M_TRIM_THRESHOLD, defaultThreshold);
}

bool StartupMemory::takePagesInOneStep(std::size_t bytes) const
{
    if (bytes == 0 || bytes > largestStep)
        return false;
    // A block as large as what is coming, its pages made present at once, then freed: it stays at the top of
    // this thread's heap, where the next allocations are taken from.
    void* const block = std::malloc(bytes);
    if (!block)
        return false;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(block) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) / page * page;
    const bool present = end > begin && madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) == 0;
    std::free(block);
    return present;
}

#else

StartupMemory::StartupMemory() = default;
StartupMemory::~StartupMemory() = default;

bool StartupMemory::takePagesInOneStep(std::size_t) const
{
    return false;
}

#endif

} // namespace Orvane
