// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

namespace Orvane
{

// Start-up turns a catalogue of 45,000 systems and a folder of 20,000 images into some 150,000 small blocks of
// memory, about 15 MB. Each first touch of a fresh page of memory traps into the kernel, and on virtual machines
// that costs several microseconds: the 4,000 pages cost more than the work done in them. These calls let
// start-up take the pages it is about to fill from the system in one step. Where the system cannot, they do
// nothing and the pages come one at a time, as they otherwise would.

// While it lives, the memory that start-up takes in one step stays with the program until it is used (freed
// blocks are not handed back, large blocks come from the same heap as small ones). The C library's heap settings
// are the whole program's: one hold at a time, made before the threads that use it start, ended once the window
// has its lists.
class StartupMemory
{
public:
    StartupMemory();
    ~StartupMemory();
    StartupMemory(const StartupMemory&) = delete;
    StartupMemory& operator=(const StartupMemory&) = delete;

    // Makes about `bytes` of fresh memory present for the calling thread's next allocations, in one step. True
    // when it did; false when the system cannot.
    bool takePagesInOneStep(std::size_t bytes) const;
};

} // namespace Orvane
