// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessOutcome.h"
#include "platform/Result.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Orvane
{

// A program run to its end, with its own arguments (never through a shell or a command line of ours to split).
struct ProgramRun
{
    ProgramRun(std::filesystem::path program, std::vector<std::string> arguments, std::filesystem::path workingFolder,
               std::optional<std::filesystem::path> outputFile = std::nullopt)
        : program(std::move(program)), arguments(std::move(arguments)), workingFolder(std::move(workingFolder)),
          outputFile(std::move(outputFile))
    {}

    std::filesystem::path program;
    std::vector<std::string> arguments; // without the program name; UTF-8
    std::filesystem::path workingFolder;
    // Where its standard output goes; when empty it shares ours. Its error output is kept for the outcome.
    std::optional<std::filesystem::path> outputFile;
    // Without an output file: when set, its standard output comes back as the outcome's `output` (at most
    // outputKept bytes), held meanwhile where no other process can reach it and nothing is left behind: a pipe, or on
    // Windows a nameless temporary file (a run whose output the disk could not take fails, saying so).
    bool keepOutput = false;
    // How long what the program started has to end on its own terms once it is asked to. Zero: it is killed at once
    // (a listing nobody waits for any more). Otherwise (a play, which saves its settings on the way out): when the
    // caller is asked to end (SIGTERM, SIGINT, SIGHUP, to any thread waiting in a run) or dies, the program and
    // everything it started are asked the same way and given this long before they are killed; the outcome's
    // `endRequested` says which signal came. On Windows the program ends with the caller either way.
    std::chrono::milliseconds endingGrace{0};
    // When set, the program and everything it started are killed once it has run this long (the outcome's
    // `timedOut` says so): a question that takes longer is one nobody waits for.
    std::chrono::milliseconds timeLimit{0};
};

// Starts the program with its window shown as it chooses, waits for it and tells how it ended, or why it did not
// start (naming the program). Nothing it started outlives the run: on POSIX a keeper process of its own watches the
// program and takes in whatever it leaves behind (a wrapper's helper that made a session of its own included); when
// the program ends, what is left is asked to end and then killed, and should the caller end or die first, all of it
// ends too. On Windows it runs in a job that ends with the caller. Several runs may wait at once on several threads,
// each for its own program.
PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run);

} // namespace Orvane
