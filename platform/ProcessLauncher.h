// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessOutcome.h"
#include "platform/ProgramRun.h"
#include "platform/Result.h"

#include <chrono>
#include <memory>
#include <string>

namespace Orvane
{

// Where a "> file" redirection goes: straight into the file, or into a file beside it that the caller moves
// onto the file (commitOutput) only once it has checked the output, so a failed run never destroys the old file.
enum class Redirection
{
    Direct,
    Staged,
};

// A process started with no window of its own, which the caller polls, waits for or ends.
class HiddenProcess
{
public:
    virtual ~HiddenProcess() = default;

    // Whether it has ended; never blocks.
    bool finished() { return endsWithin(std::chrono::milliseconds(0)); }
    // Whether it has ended, waiting up to `limit` for it; returns the moment it ends.
    virtual bool endsWithin(std::chrono::milliseconds limit) = 0;
    // Returns once it has ended.
    virtual void wait() = 0;
    // Ends it, and whatever it started, and waits for that.
    virtual void kill() = 0;
    // How it ended; meaningful once finished.
    virtual ProcessOutcome outcome() const = 0;

    // With staged output: the file the output is being written to, empty otherwise.
    virtual std::string stagedOutputPath() const = 0;
    // Moves staged output onto the redirection file, or gives the reason it could not.
    virtual PlatformResult<void> commitOutput() = 0;
    // Drops staged output, leaving the redirection file as it was.
    virtual void discardOutput() = 0;
};

// What Orvane asks of the operating system's shell. The window talks to this interface only, so tests can put a
// recording double in its place.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;

    // Starts a Windows-style command line in the program folder, window maximised, and returns without waiting;
    // when it cannot, the reason names the program.
    virtual PlatformResult<void> startDetached(const std::string& commandLine) = 0;

    // Starts a command line in the program folder with no window and no visible output. A "COMMAND.COM /C" line
    // is carried out as the DOS command processor would, "> file" redirection included.
    virtual PlatformResult<std::unique_ptr<HiddenProcess>> startHidden(const std::string& commandLine,
                                                                       Redirection redirection) = 0;

    // The short form of an existing file's path, for a command processor line, or why there is none (the file is
    // missing, or on Windows its short name cannot be had).
    virtual PlatformResult<std::string> shortPath(const std::string& path) = 0;

    // Runs a program hidden and waits for it (ProgramRun): a short question to the emulator, whose answer is its
    // output. May be called from any thread, from several at once.
    virtual PlatformResult<ProcessOutcome> askAndWait(const ProgramRun& run) = 0;
};

} // namespace Orvane
