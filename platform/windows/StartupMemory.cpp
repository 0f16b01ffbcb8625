// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/StartupMemory.h"

namespace Orvane
{

// Left to the Windows heap, which commits memory in large steps of its own.
StartupMemory::StartupMemory() = default;
StartupMemory::~StartupMemory() = default;

bool StartupMemory::takePagesInOneStep(std::size_t) const
{
    return false;
}

} // namespace Orvane
