// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

namespace Orvane
{

// How a hidden process ended.
struct ProcessOutcome
{
    bool exitedNormally = false; // false: ended by a signal (or killed)
    int exitCode = 0;
    int signal = 0;
    std::string errorOutput; // the end of what it wrote to its error output, at most errorOutputKept bytes
    std::string output;      // what it wrote to its standard output, when that was kept (ProgramRun)
    int endRequested = 0;    // the signal that asked the caller to end while the program ran (ProgramRun), or 0
    bool timedOut = false;   // killed when its time limit passed (ProgramRun)
    bool killed = false;     // killed, not having ended within its grace or time limit (ProgramRun)
};
inline constexpr std::size_t errorOutputKept = 64 * 1024;
// What is kept of a standard output that comes back as text: far more than any listing a program prints.
inline constexpr std::size_t outputKept = 256 * 1024 * 1024;

} // namespace Orvane
