// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessOutcome.h"
#include "platform/ProgramRun.h"
#include "platform/Result.h"

#include <memory>
#include <string>

namespace Orvane
{

// What Orvane asks of the operating system's shell, each run described by a ProgramRun. The window talks to this
// interface only, so tests can put a recording double in its place.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;

    // A play: started and left to run (startDetached in ProgramRun.h); when it cannot start, the reason names the
    // program.
    virtual PlatformResult<void> startDetached(const ProgramRun& run) = 0;

    // Started hidden for the caller to poll, wait for or end (start in ProgramRun.h).
    virtual PlatformResult<std::unique_ptr<RunningProgram>> start(const ProgramRun& run) = 0;

    // Run hidden to its end (runAndWait in ProgramRun.h): a short question to the emulator, whose answer is its
    // output. May be called from any thread, from several at once.
    virtual PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run) = 0;

    // The short form of an existing file's path, for a command processor line, or why there is none (the file is
    // missing, or on Windows its short name cannot be had).
    virtual PlatformResult<std::string> shortPath(const std::string& path) = 0;
};

} // namespace Orvane
