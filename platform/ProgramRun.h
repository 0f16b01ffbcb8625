// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessOutcome.h"
#include "platform/Result.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Orvane
{

// One run of a program: what runs, where, where its output goes and how it is ended. The same description serves a
// play (started and left to run), the systems update (started hidden and polled) and a question to the emulator
// (run to its end); which of those it is, is the call it is given to.
struct ProgramRun
{
    ProgramRun() = default;
    ProgramRun(std::filesystem::path program, std::vector<std::string> arguments, std::filesystem::path workingFolder,
               std::optional<std::filesystem::path> outputFile = std::nullopt)
        : program(std::move(program)), arguments(std::move(arguments)), workingFolder(std::move(workingFolder)),
          outputFile(std::move(outputFile))
    {}

    // A Windows command line, run in `folder` as Windows runs one: its program is found when the run starts (in the
    // folder, the current folder, then PATH) and on Windows it receives the line as it stands.
    static ProgramRun fromCommandLine(std::string line, std::filesystem::path folder);
    // A "COMMAND.COM /C" line carried out as the DOS command processor would (see CommandProcessor.h): the program
    // line as above, its "> file" or ">> file" the output file, a relative name taken from `folder` and an existing
    // file matched in any letter case.
    static ProgramRun fromCommandProcessorLine(std::string_view line, std::filesystem::path folder);

    // Empty for a run made from a command line until it starts.
    std::filesystem::path program;
    std::vector<std::string> arguments; // without the program name; UTF-8
    std::filesystem::path workingFolder;
    // The line as a user wrote it, when the run was made from one; a Windows program receives it unchanged.
    std::string commandLine;
    // Where its standard output goes, written over (or added to, with appendOutput); when empty it shares ours, or
    // is kept (keepOutput). Its error output is kept for the outcome.
    std::optional<std::filesystem::path> outputFile;
    bool appendOutput = false;
    // Without an output file: when set, its standard output comes back as the outcome's `output` (at most
    // outputKept bytes), held meanwhile where no other process can reach it and nothing is left behind: a pipe, or on
    // Windows a nameless temporary file (a run whose output the disk could not take fails, saying so).
    bool keepOutput = false;
    // How long what the program started has to end on its own terms once it is asked to (runAndWait). Zero: it is
    // killed at once (a listing nobody waits for any more). Otherwise (a play, which saves its settings on the way
    // out): when the caller is asked to end (SIGTERM, SIGINT, SIGHUP, to any thread waiting in a run) or dies, the
    // program and everything it started are asked the same way and given this long before they are killed; the
    // outcome's `endRequested` says which signal came. On Windows the program ends with the caller either way.
    std::chrono::milliseconds endingGrace{0};
    // When set, the program and everything it started are killed once it has run this long (the outcome's
    // `timedOut` says so): a question that takes longer is one nobody waits for.
    std::chrono::milliseconds timeLimit{0};
};

// The run with its program found and its arguments split, when it was made from a command line; the reason names
// the program when it cannot be found.
PlatformResult<ProgramRun> withProgramFound(const ProgramRun& run);

// A program started with no window of its own, which the caller polls, waits for or ends. Should the handle go
// first, the program is ended.
class RunningProgram
{
public:
    virtual ~RunningProgram() = default;

    // Whether it has ended; never blocks.
    bool finished() { return endsWithin(std::chrono::milliseconds(0)); }
    // Whether it has ended, waiting up to `limit` for it; returns the moment it ends.
    virtual bool endsWithin(std::chrono::milliseconds limit) = 0;
    // Returns once it has ended.
    virtual void wait() = 0;
    // Ends it, and whatever it started, and waits for that.
    virtual void kill() = 0;
    // How it ended, with its kept output; meaningful once finished.
    virtual ProcessOutcome outcome() const = 0;
};

// Starts the program with its window maximised where the system lets a program ask that, and leaves it to run: it
// outlives the caller and nobody collects it.
PlatformResult<void> startDetached(const ProgramRun& run);

// Starts the program hidden (no window, no visible output; its input empty), for the caller to poll.
PlatformResult<std::unique_ptr<RunningProgram>> start(const ProgramRun& run);

// Starts the program with its window shown as it chooses, waits for it and tells how it ended, or why it did not
// start (naming the program). Nothing it started outlives the run: on POSIX a keeper process of its own watches the
// program and takes in whatever it leaves behind (a wrapper's helper that made a session of its own included); when
// the program ends, what is left is asked to end and then killed, and should the caller end or die first, all of it
// ends too. On Windows it runs in a job that ends with the caller. Several runs may wait at once on several threads,
// each for its own program.
PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run);

} // namespace Orvane
