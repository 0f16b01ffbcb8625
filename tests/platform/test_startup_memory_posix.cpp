// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "Check.h"

#include "platform/StartupMemory.h"

#include <cstdlib>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace
{

long faultsOfThisThread()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

// Page faults taken by a fresh thread filling `blocks` blocks of 64 bytes, after taking `reserved` bytes in one
// step from `memory` (when there is one); sets `taken` to what the step answered.
long faultsFillingBlocks(const Orvane::StartupMemory* memory, std::size_t reserved, int blocks, bool& taken)
{
    long faults = 0;
    std::thread([&] {
        taken = memory && memory->takePagesInOneStep(reserved);
        const long before = faultsOfThisThread();
        std::vector<void*> filled;
        filled.reserve(static_cast<std::size_t>(blocks));
        for (int index = 0; index < blocks; ++index) {
            auto* block = static_cast<char*>(std::malloc(64));
            block[0] = 1;
            filled.push_back(block);
        }
        faults = faultsOfThisThread() - before;
        for (void* block : filled)
            std::free(block);
    }).join();
    return faults;
}

} // namespace

TEST_CASE("memory taken in one step spares the allocations after it their page faults")
{
    // 50,000 blocks of 64 bytes (and their bookkeeping) fill some 4 MB, a thousand pages. Without holding, the
    // memory goes back to the system when the blocks are freed.
    bool ignored = false;
    const long withoutStep = faultsFillingBlocks(nullptr, 0, 50000, ignored);
    bool taken = false;
    long withStep = 0;
    {
        const Orvane::StartupMemory memory;
        CHECK(!memory.takePagesInOneStep(0));
        withStep = faultsFillingBlocks(&memory, 8 << 20, 50000, taken);
    }
    if (!taken) {
        std::cout << "  (this system cannot make pages present in one step: nothing to compare)\n";
        return;
    }
    // How many faults the step spares depends on the kernel (huge pages, fault-around): the counts are shown, and
    // only that the step never adds faults is asserted.
    std::cout << "  page faults filling 50,000 blocks: " << withoutStep << " without the step, " << withStep
              << " after it\n";
    CHECK(withStep <= withoutStep);
}
