// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Shell.h"

#include <chrono>
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

// Shows a message in a window of its own on the user's display and returns without waiting for it to be closed
// (on Windows: the system's message box, closed before this returns). On POSIX the window is drawn by Orvane's
// program in `programFolder` ("orvane --message TITLE TEXT"), so that a program without a window kit of its own
// can show one; where there is no display or no such program, the reason comes back and nothing is shown.
PlatformResult<void> showMessageWindow(const std::string& title, const std::string& text,
                                       const std::filesystem::path& programFolder);

// One argument written as the platform's own shell reads it back whole, for showing a command to a user: in
// single quotes on POSIX where it needs any, by the Windows splitting rules on Windows.
std::string shownArgument(std::string_view argument);

// Whether the platform writes environment variables as %NAME% (Windows) besides $NAME.
#ifdef _WIN32
inline constexpr bool percentEnvironmentVariables = true;
#else
inline constexpr bool percentEnvironmentVariables = false;
#endif

// This process's number, unique among the processes running now.
unsigned long currentProcessId();

// The path of the program now running (this process's executable).
std::filesystem::path runningProgramPath();

// This program's arguments in UTF-8, without its own name (on Windows from the wide command line, which holds
// what the ANSI code page cannot spell).
std::vector<std::string> programArguments(int argc, char* argv[]);

// Writes the bytes to standard output as they are (no CR added on Windows); false when they could not all go.
bool writeStandardOutput(std::string_view bytes);

} // namespace Orvane
