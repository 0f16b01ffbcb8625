// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/StartupMemory.h"

namespace Orvane
{

// Left to the Windows heap, which commits memory in large steps of its own.
void holdStartupMemory() {}
void releaseStartupMemory() {}
bool takePagesInOneStep(std::size_t)
{
    return false;
}

} // namespace Orvane
