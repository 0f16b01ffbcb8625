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
    // Without an output file: when set, its standard output comes back as the outcome's `output`, held meanwhile
    // in a file of this folder (the temporary folder where this one takes none) that is created afresh, never
    // through a link, has no name another process could open, and is gone however the run ends.
    std::optional<std::filesystem::path> outputScratchFolder;
    // How it ends when the caller is asked to end. Zero: with the caller, at once (a listing nobody waits for any
    // more). Otherwise (a play, which saves its settings on the way out): when the caller is asked to end (SIGTERM,
    // SIGINT, SIGHUP) or dies, the program and everything it started are asked the same way and given this long to
    // end on their own terms before they are killed; the outcome's `endRequested` says which signal came. Nothing
    // it started outlives the run. On Windows the program ends with the caller either way.
    std::chrono::milliseconds endingGrace{0};
};

// Starts the program with its window shown as it chooses, waits for it and tells how it ended, or why it did not
// start (naming the program). The program ends with the caller (see `endingGrace`): without a grace it stays in the
// caller's process group and is killed when the caller dies (on Windows it runs in a job that ends with the caller),
// so cancelling the caller never leaves it running.
PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run);

} // namespace Orvane
