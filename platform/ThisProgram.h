// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace Orvane
{

// The program now running: its number, path, arguments and standard streams.

// This process's number, unique among the processes running now.
unsigned long currentProcessId();

// The path of the program now running (this process's executable).
std::filesystem::path runningProgramPath();

// This program's arguments in UTF-8, without its own name (on Windows from the wide command line, which holds
// what the ANSI code page cannot spell).
std::vector<std::string> programArguments(int argc, char* argv[]);

// Writes the bytes to standard output as they are (no CR added on Windows), or says why they could not all go (a
// full disk, say).
PlatformResult<void> writeStandardOutput(std::string_view bytes);

// A program started with its standard input, output or error closed would hand those numbers to the next files
// it opens, and a diagnostic meant for the error output would then land in the catalogue or the favourites. Each
// closed one is opened on the null device, before anything else is opened. Nothing to do on Windows.
void openClosedStandardStreams();

} // namespace Orvane
