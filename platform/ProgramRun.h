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
// start (naming the program). The program ends with the caller: it stays in the caller's process group and is
// killed when the caller dies (on Windows it runs in a job that ends with the caller), so cancelling the caller
// never leaves it running.
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
