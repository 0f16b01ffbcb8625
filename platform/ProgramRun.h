// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Shell.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Orvane
{

// A program run to its end, with its own arguments (never through a shell or a command line of ours to split).
struct ProgramRun
{
    std::filesystem::path program;
    std::vector<std::string> arguments; // without the program name; UTF-8
    std::filesystem::path workingFolder;
    // Where its standard output goes; when empty it shares ours. Its error output is kept for the outcome.
    std::optional<std::filesystem::path> outputFile;
};

// Starts the program with its window shown as it chooses, waits for it and tells how it ended, or why it did not
// start (naming the program).
PlatformResult<ProcessOutcome> runAndWait(const ProgramRun& run);

// The path of the program now running (this process's executable).
std::filesystem::path runningProgramPath();

// This program's arguments in UTF-8, without its own name (on Windows from the wide command line, which holds
// what the ANSI code page cannot spell).
std::vector<std::string> programArguments(int argc, char* argv[]);

// Writes the bytes to standard output as they are (no CR added on Windows); false when they could not all go.
bool writeStandardOutput(std::string_view bytes);

} // namespace Orvane
