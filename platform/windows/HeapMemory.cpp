// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/HeapMemory.h"

namespace Orvane
{

// Windows commits a heap's memory in its own steps; nothing is mapped in ahead.
void allowHeapMappedAhead(std::size_t) {}

bool mapHeapAhead(std::size_t)
{
    return false;
}

void returnFreeHeapMemory() {}

} // namespace Orvane
