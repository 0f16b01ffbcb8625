// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
// Heap memory mapped in ahead: the allocations that follow find their pages already there.
#include "Check.h"

#include "platform/HeapMemory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace
{

long pageFaultsOfThisThread()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

} // namespace

TEST_CASE("small blocks taken after the heap was mapped ahead touch no new page; free memory goes back")
{
    // A thread of its own, so the blocks come from a heap that nothing else has used.
    std::thread([] {
        Orvane::allowHeapMappedAhead(std::size_t(32) << 20);
        if (!Orvane::mapHeapAhead(std::size_t(8) << 20)) {
            std::printf("note: this system maps no memory in ahead\n");
            return;
        }
        // 4 MB in blocks the size of a catalogue's lines: a thousand pages, each a fault if touched fresh.
        std::vector<char*> blocks;
        blocks.reserve(40000);
        const long before = pageFaultsOfThisThread();
        for (int index = 0; index < 40000; ++index) {
            blocks.push_back(static_cast<char*>(std::malloc(100)));
            std::memset(blocks.back(), 1, 100);
        }
        CHECK(pageFaultsOfThisThread() - before < 50);
        for (char* block : blocks)
            std::free(block);
        Orvane::returnFreeHeapMemory();
    }).join();
}
