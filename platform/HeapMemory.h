// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

namespace Orvane
{

// Heap memory a thread maps in ahead of its allocations. Where the system maps memory in a page at a time, on
// first touch, each page costs a fault, and on a virtual machine a fault costs some ten microseconds: reading and
// sorting a catalogue of 45,000 systems touches thousands of pages. Mapping them in with one call costs a tenth
// of that. Where the system or its C library offers no such call, both do nothing.

// Lets mapHeapAhead work: blocks of up to `largest` bytes are taken from the heap rather than mapped on their own,
// and memory freed at the heap's end stays mapped. Call once, before other threads start.
void allowHeapMappedAhead(std::size_t largest);

// Maps in the next `bytes` of the calling thread's heap, which its next allocations take. False where nothing
// was mapped in (not allowed, or not offered here).
bool mapHeapAhead(std::size_t bytes);

// Gives the system back the heap memory that is free now, in every thread's heap: what was mapped ahead and not
// taken, and what was freed since.
void returnFreeHeapMemory();

} // namespace Orvane
